#include "till/Operators.h"

#include "store/TextCodec.h"

#include <QCryptographicHash>
#include <QStringList>

#include <algorithm>

namespace tallivor {
namespace {

// The little of CSV this file needs, apart from the list's rules so that a shared reader and writer can take its
// place: RFC 4180 fields (in double quotes when they hold the separator or a quote, a quote doubled) on one line.
// No field of an operator holds a line end, so a record never spans lines.
namespace csv {

// The fields of a line; nothing when its quoting is broken.
std::optional<QStringList> splitRecord(QStringView line, QChar separator)
{
    QStringList fields;
    qsizetype at = 0;
    while (true) {
        QString field;
        if (line.sliced(at).startsWith(u'"')) {
            qsizetype quote = at;
            while (true) {
                const qsizetype next = line.indexOf(u'"', quote + 1);
                if (next == -1) // never closed
                    return std::nullopt;
                field += line.sliced(quote + 1, next - quote - 1);
                quote = next;
                if (!line.sliced(next + 1).startsWith(u'"'))
                    break;
                field += u'"';
                quote = next + 1;
            }
            at = quote + 1;
        } else {
            qsizetype end = line.indexOf(separator, at);
            if (end < 0)
                end = line.size();
            field = line.sliced(at, end - at).toString();
            if (field.contains(u'"'))
                return std::nullopt;
            at = end;
        }
        fields.append(field);
        if (at == line.size())
            return fields;
        if (line[at] != separator)
            return std::nullopt;
        ++at;
    }
}

QString joinRecord(const QStringList& fields, QChar separator)
{
    QStringList written;
    for (const QString& field : fields) {
        if (field.contains(separator) || field.contains(u'"'))
            written.append(u'"' + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"');
        else
            written.append(field);
    }
    return written.join(separator);
}

} // namespace csv

const QStringList heading{QStringLiteral("operator"), QStringLiteral("role"), QStringLiteral("pin")};

QString roleText(Role role)
{
    return role == Role::Owner ? QStringLiteral("owner") : QStringLiteral("operator");
}

std::optional<Role> roleOf(QStringView text)
{
    if (text == roleText(Role::Owner))
        return Role::Owner;
    if (text == roleText(Role::Operator))
        return Role::Operator;
    return std::nullopt;
}

QAnyStringView digits(PinBytes pin)
{
    return QAnyStringView(pin.data(), qsizetype(pin.size()));
}

} // namespace

bool isOperatorName(QStringView name)
{
    return !name.isEmpty() && name.isValidUtf16() && std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u',' || c == u';' || c == u'=' || c.category() == QChar::Other_Control;
    });
}

OperatorList OperatorList::read(QByteArrayView bytes)
{
    OperatorList list;
    if (bytes.startsWith(utf8ByteOrderMark))
        bytes = bytes.sliced(qstrlen(utf8ByteOrderMark));
    // Bytes that are not UTF-8 are carried through, so that a line holding them is written back as it was.
    const QString text = decodeUtf8Keeping(bytes);
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (i == 0 && line == csv::joinRecord(heading, u';'))
            list.m_separator = u';';
        // A file without its heading loses no operator: its first line is read like the others.
        if (line.isEmpty() || (i == 0 && line == csv::joinRecord(heading, list.m_separator)))
            continue;
        list.m_lines.append(list.readLine(line, int(i) + 1));
    }
    return list;
}

OperatorList::Line OperatorList::readLine(QStringView text, int number) const
{
    const auto kept = [&](OperatorLineFault why) { return KeptOperatorLine{number, why, text.toString()}; };
    const std::optional<QStringList> fields = csv::splitRecord(text, m_separator);
    if (!fields)
        return kept(OperatorLineFault::Quoting);
    if (fields->size() != heading.size())
        return kept(OperatorLineFault::Fields);
    const QString& name = fields->at(0);
    const std::optional<Role> role = roleOf(fields->at(1));
    const QByteArray hash = fields->at(2).toUtf8();
    if (!isOperatorName(name))
        return kept(OperatorLineFault::Name);
    if (!role)
        return kept(OperatorLineFault::Role);
    if (!isPinHash(hash))
        return kept(OperatorLineFault::Hash);
    if (find(name))
        return kept(OperatorLineFault::Duplicate);
    return Operator{name, *role, hash};
}

QByteArray OperatorList::write() const
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = csv::joinRecord(heading, m_separator) + lineEnd;
    for (const Line& line : m_lines) {
        if (const auto* op = std::get_if<Operator>(&line))
            text += csv::joinRecord({op->name, roleText(op->role), QString::fromLatin1(op->pinHash)}, m_separator);
        else
            text += std::get<KeptOperatorLine>(line).text;
        text += lineEnd;
    }
    return utf8ByteOrderMark + encodeUtf8Keeping(text);
}

QByteArray OperatorList::digest() const
{
    return QCryptographicHash::hash(write(), QCryptographicHash::Sha256).toHex();
}

OperatorRefusal OperatorList::add(const QString& name, Role role, PinBytes pin)
{
    const PinWipe wipe(pin);
    if (!isOperatorName(name))
        return OperatorRefusal::Name;
    if (find(name))
        return OperatorRefusal::Taken;
    if (role != Role::Owner && owners() == 0)
        return OperatorRefusal::NoOwner;
    if (!isPin(digits(pin), role))
        return OperatorRefusal::Pin;
    const QByteArray hash = hashPin(pin);
    if (hash.isEmpty())
        return OperatorRefusal::Hashing;
    m_lines.append(Operator{name, role, hash});
    return OperatorRefusal::None;
}

OperatorRefusal OperatorList::rename(const QString& name, const QString& newName)
{
    Operator* op = lookup(name);
    if (!op)
        return OperatorRefusal::Unknown;
    if (!isOperatorName(newName))
        return OperatorRefusal::Name;
    if (newName != name && find(newName))
        return OperatorRefusal::Taken;
    op->name = newName;
    return OperatorRefusal::None;
}

OperatorRefusal OperatorList::setPin(const QString& name, PinBytes pin)
{
    const PinWipe wipe(pin);
    Operator* op = lookup(name);
    if (!op)
        return OperatorRefusal::Unknown;
    if (!isPin(digits(pin), op->role))
        return OperatorRefusal::Pin;
    const QByteArray hash = hashPin(pin);
    if (hash.isEmpty())
        return OperatorRefusal::Hashing;
    op->pinHash = hash;
    return OperatorRefusal::None;
}

OperatorRefusal OperatorList::setRole(const QString& name, Role role, PinBytes pin)
{
    const PinWipe wipe(pin);
    Operator* op = lookup(name);
    if (!op)
        return OperatorRefusal::Unknown;
    if (op->role == role)
        return OperatorRefusal::None;
    if (role == Role::Operator) {
        if (owners() == 1)
            return OperatorRefusal::NoOwner;
        op->role = role;
        return OperatorRefusal::None;
    }
    // An operator's PIN may be shorter than an owner's must be.
    if (!isPin(digits(pin), role))
        return OperatorRefusal::Pin;
    const QByteArray hash = hashPin(pin);
    if (hash.isEmpty())
        return OperatorRefusal::Hashing;
    op->role = role;
    op->pinHash = hash;
    return OperatorRefusal::None;
}

OperatorRefusal OperatorList::remove(const QString& name)
{
    const Operator* op = lookup(name);
    if (!op)
        return OperatorRefusal::Unknown;
    if (op->role == Role::Owner && owners() == 1)
        return OperatorRefusal::NoOwner;
    m_lines.removeIf([op](const Line& line) { return std::get_if<Operator>(&line) == op; });
    return OperatorRefusal::None;
}

std::optional<Operator> OperatorList::find(QStringView name) const
{
    for (const Line& line : m_lines) {
        if (const auto* op = std::get_if<Operator>(&line); op && op->name == name)
            return *op;
    }
    return std::nullopt;
}

std::optional<Operator> OperatorList::checkPin(QStringView name, PinBytes pin) const
{
    const PinWipe wipe(pin);
    std::optional<Operator> found = find(name);
    if (found && pinMatches(found->pinHash, pin))
        return found;
    return std::nullopt;
}

bool OperatorList::isEmpty() const
{
    return operators().isEmpty();
}

QList<Operator> OperatorList::operators() const
{
    QList<Operator> found;
    for (const Line& line : m_lines) {
        if (const auto* op = std::get_if<Operator>(&line))
            found.append(*op);
    }
    return found;
}

QList<KeptOperatorLine> OperatorList::keptLines() const
{
    QList<KeptOperatorLine> found;
    for (const Line& line : m_lines) {
        if (const auto* kept = std::get_if<KeptOperatorLine>(&line))
            found.append(*kept);
    }
    return found;
}

Operator* OperatorList::lookup(QStringView name)
{
    for (Line& line : m_lines) {
        if (auto* op = std::get_if<Operator>(&line); op && op->name == name)
            return op;
    }
    return nullptr;
}

qsizetype OperatorList::owners() const
{
    const QList<Operator> all = operators();
    return std::count_if(all.begin(), all.end(), [](const Operator& op) { return op.role == Role::Owner; });
}

} // namespace tallivor
