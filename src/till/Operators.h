#pragma once

#include "till/Pin.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

namespace tallivor {

// One who takes the money, as the operators list holds them.
struct Operator
{
    QString name;
    Role role = Role::Operator;
    QByteArray pinHash; // the PIN's Argon2id hash (hashPin); the PIN itself is never kept
};

// Why a line of the operators file is no operator.
enum class OperatorLineFault
{
    Quoting,   // a quote inside a field that is not quoted, text after a closing quote, or a quote never closed
    Fields,    // not three fields
    Name,      // not an operator's name (isOperatorName)
    Role,      // neither "owner" nor "operator"
    Hash,      // not a libsodium Argon2id hash
    Duplicate, // the name of an operator on a line before it
};

// A line of the operators file the program could not read: shown to the owner, never counted as an operator, and
// written back as it stood, in its place.
struct KeptOperatorLine
{
    int line = 0; // in the file as read, the heading being line 1
    OperatorLineFault why = OperatorLineFault::Quoting;
    QString text; // without its line end
};

// Why a change of the operators list was refused; the list is then as it was.
enum class OperatorRefusal
{
    None,    // accepted and applied
    Name,    // not an operator's name (isOperatorName)
    Taken,   // another operator has the name
    Unknown, // no operator has the name
    Pin,     // not a PIN for the operator's role
    NoOwner, // the list would be left without an owner
    Hashing, // libsodium could not hash the PIN (out of memory)
};

// Whether the text can be an operator's name: not empty, and without "," or ";" (the file's separators), "=" (the
// ledger's details are key=value), a control character or a byte that was not UTF-8.
bool isOperatorName(QStringView name);

// The operators list file of the program folder: UTF-8 after a byte-order mark, CR LF, the heading
// "operator,role,pin" and one operator a line, the PIN's hash quoted (it holds commas). The owner's operators window
// edits it through the operations below; each checks everything first and either refuses or applies, so an owner
// always stays. Every operation that takes a PIN wipes its bytes before it returns.
class OperatorList
{
public:
    // Reads the file's bytes; a file with ";" between its fields (as European spreadsheets save it) is read, and
    // written back, so as well. Lines the program cannot read are kept (keptLines).
    static OperatorList read(QByteArrayView bytes);
    // The file's bytes: the heading, then the operators and the kept lines in their order.
    QByteArray write() const;
    // The SHA-256 of the bytes write() gives, in hex: the ledger holds it, to notice a file changed behind its back.
    QByteArray digest() const;

    // Adds an operator with the PIN's hash; the first one must be an owner.
    OperatorRefusal add(const QString& name, Role role, PinBytes pin);
    OperatorRefusal rename(const QString& name, const QString& newName);
    // Gives the operator a new PIN, by the rule of the operator's role.
    OperatorRefusal setPin(const QString& name, PinBytes pin);
    // Changes the operator's role; an operator made owner needs a new owner's PIN in the same call (pin is not used
    // otherwise). The last owner stays one.
    OperatorRefusal setRole(const QString& name, Role role, PinBytes pin = {});
    // Takes the operator off the list, unless it is the last owner.
    OperatorRefusal remove(const QString& name);

    std::optional<Operator> find(QStringView name) const;
    // The operator of that name when the PIN is theirs; nothing for a wrong PIN or an unknown name.
    std::optional<Operator> checkPin(QStringView name, PinBytes pin) const;
    // No operators yet: the program's first start, which asks for the owner.
    bool isEmpty() const;
    QList<Operator> operators() const;
    QList<KeptOperatorLine> keptLines() const;

private:
    using Line = std::variant<Operator, KeptOperatorLine>;

    Line readLine(QStringView text, int number) const;
    Operator* lookup(QStringView name);
    qsizetype owners() const;

    QList<Line> m_lines; // in the file's order
    QChar m_separator = u',';
};

// The name the file has in the program folder.
inline constexpr char operatorsFileName[] = "tallivor-operators.csv";

} // namespace tallivor
