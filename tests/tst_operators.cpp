// The operators list and their PINs without any window: the PIN rules, hashing and checking, the file read and
// written back with the lines it cannot read, and each change with what it refuses.
#include "till/Operators.h"

#include <QtTest>

using namespace tallivor;
Q_DECLARE_METATYPE(tallivor::Role)
Q_DECLARE_METATYPE(tallivor::OperatorRefusal)

namespace {

// A PIN's hash of libsodium's other Argon2 kind, Argon2i: libsodium itself would take 123456 for it.
const QByteArray argon2i =
    "$argon2i$v=19$m=32768,t=4,p=1$Lcg52rP+zmOnznGwhLKq+A$frWjRo3IZh0lf3u+w1jTrSlZd1UwZWrhGUB1ZoTOSVY";

QByteArray operatorsFile(const QByteArrayList& lines, const QByteArray& start = "\xEF\xBB\xBFoperator,role,pin\r\n",
                         const QByteArray& end = "\r\n")
{
    return start + lines.join(end) + (lines.isEmpty() ? "" : end);
}

bool wiped(const QByteArray& pin)
{
    return pin.count('\0') == pin.size();
}

// "ana owner|bob operator* / 2 name": the operators, a star where the hash is not startHash, and the kept lines.
QString described(const OperatorList& list, const QByteArray& startHash)
{
    const QStringList faults{"quoting", "fields", "name", "role", "hash", "duplicate"};
    QStringList operators, kept;
    for (const Operator& op : list.operators())
        operators << op.name + (op.role == Role::Owner ? " owner" : " operator") + (op.pinHash == startHash ? "" : "*");
    for (const KeptOperatorLine& line : list.keptLines())
        kept << QString::number(line.line) + ' ' + faults[int(line.why)];
    return operators.join('|') + (kept.isEmpty() ? "" : " / ") + kept.join(',');
}

// Runs a change written "verb name [argument]".
OperatorRefusal run(OperatorList& list, const QString& change, PinBytes pin)
{
    const QStringList w = change.split(' ');
    const Role role = w.value(2) == "owner" ? Role::Owner : Role::Operator;
    return w[0] == "add"      ? list.add(w[1], role, pin)
           : w[0] == "rename" ? list.rename(w[1], w[2])
           : w[0] == "pin"    ? list.setPin(w[1], pin)
           : w[0] == "role"   ? list.setRole(w[1], role, pin)
                              : list.remove(w[1]);
}

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT
    QByteArray m_hash; // of 123456
    QByteArray m_quoted;

private slots:
    void initTestCase()
    {
        QByteArray pin = "123456";
        m_hash = hashPin(pin);
        m_quoted = '"' + m_hash + '"';
        QVERIFY(wiped(pin));
    }

    void pins_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Role>("role");
        QTest::addColumn<bool>("pin");
        QTest::newRow("four digits") << "0000" << Role::Operator << true;
        QTest::newRow("three") << "999" << Role::Operator << false;
        QTest::newRow("twelve") << "999999999999" << Role::Owner << true;
        QTest::newRow("thirteen") << "1234567890123" << Role::Operator << false;
        QTest::newRow("owner's five") << "12345" << Role::Owner << false;
        QTest::newRow("owner's six") << "123456" << Role::Owner << true;
        QTest::newRow("letter") << "12a4" << Role::Operator << false;
    }
    void pins()
    {
        QFETCH(QString, text);
        QFETCH(Role, role);
        QTEST(isPin(text, role), "pin");
    }

    void checking_data()
    {
        QTest::addColumn<QByteArray>("hash");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("pin");
        QTest::addColumn<bool>("matches");
        QTest::newRow("right") << m_hash << "ana" << QByteArray("123456") << true;
        QTest::newRow("wrong") << m_hash << "ana" << QByteArray("123457") << false;
        QTest::newRow("unknown name") << m_hash << "eve" << QByteArray("123456") << true;
        QTest::newRow("Argon2i") << argon2i << "ana" << QByteArray("123456") << false;
    }
    void checking()
    {
        QFETCH(QByteArray, hash);
        QFETCH(QByteArray, pin);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QByteArray again = pin;
        QCOMPARE(pinMatches(hash, pin), matches);
        const OperatorList list = OperatorList::read(operatorsFile({"ana,owner,\"" + hash + '"'}));
        QCOMPARE(list.checkPin(name, again).has_value(), matches && name == "ana");
        QVERIFY(wiped(pin) && wiped(again));
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("read");
        QTest::addColumn<bool>("same"); // written back byte for byte
        const QByteArray ana = "ana,owner," + m_quoted, bob = "bob,operator," + m_quoted, q = ',' + m_quoted;
        QTest::newRow("two") << operatorsFile({ana, bob}) << "ana owner|bob operator" << true;
        QTest::newRow("semicolons") << operatorsFile({"ana;owner;" + m_hash}, "\xEF\xBB\xBFoperator;role;pin\r\n")
                                    << "ana owner" << true;
        QTest::newRow("no mark, LF, empty lines")
            << operatorsFile({ana, "", bob}, "operator,role,pin\n", "\n") << "ana owner|bob operator" << false;
        QTest::newRow("no heading") << operatorsFile({ana, bob}, {}) << "ana owner|bob operator" << false;
        QTest::newRow("quoted name") << operatorsFile({"\"an\"\"a\",owner" + q}) << "an\"a owner" << true;
        QTest::newRow("quoting") << operatorsFile({"an\"a,owner" + q, "\"ana\"x,owner" + q, "ana,owner,\"" + m_hash})
                                 << " / 2 quoting,3 quoting,4 quoting" << true;
        QTest::newRow("fields, role") << operatorsFile({"ana,owner", ana + ',', "ana,Owner" + q, bob})
                                      << "bob operator / 2 fields,3 fields,4 role" << true;
        QTest::newRow("names") << operatorsFile({",owner" + q, "\"a,b\",owner" + q, "a=b,owner" + q, "a\tb,owner" + q,
                                                 "caf\xE9,owner" + q})
                               << " / 2 name,3 name,4 name,5 name,6 name" << true;
        QTest::newRow("hashes") << operatorsFile({"ana,owner,\"" + argon2i + '"', "ana,owner,",
                                                  "ana,owner,\"" + m_hash + QByteArray("\0x\"", 3)})
                                << " / 2 hash,3 hash,4 hash" << true;
        QTest::newRow("duplicate") << operatorsFile({bob, "bob,owner" + q}) << "bob operator / 3 duplicate" << true;
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        const OperatorList list = OperatorList::read(bytes);
        QTEST(described(list, m_hash), "read");
        QTEST(described(OperatorList::read(list.write()), m_hash), "read");
        QTEST(list.write() == bytes, "same");
    }

    void digest()
    {
        // What sha256sum says of the file as written, so that anyone can check the digest the ledger holds.
        const OperatorList list = OperatorList::read(operatorsFile({"x"}));
        QCOMPARE(list.digest(), "a217dc67c4dd2e8161e6478f2397a0c5034208f39ecc0041d2c6e043b7654c67");
        QVERIFY(list.isEmpty()); // a line the program cannot read is no operator
    }

    void changes_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("pin");
        QTest::addColumn<OperatorRefusal>("refusal");
        QTest::addColumn<QString>("operators");
        const QByteArray ana = "ana,owner," + m_quoted, two = operatorsFile({ana, "bob,operator," + m_quoted});
        using R = OperatorRefusal;
        const auto row = [&](const char* change, const char* pin, R refusal, const char* operators,
                             const QByteArray& start = {}) {
            QTest::addRow("%s (%s)%s", change, pin, start.isEmpty() ? "" : " in another list")
                << (start.isEmpty() ? two : start) << QString(change) << QByteArray(pin) << refusal
                << QString(operators);
        };
        row("add carl operator", "1234", R::None, "ana owner|bob operator|carl operator*");
        row("add ana owner", "123456", R::Taken, "ana owner|bob operator");
        row("add carl owner", "12345", R::Pin, "ana owner|bob operator");
        row("rename bob bo", "", R::None, "ana owner|bo operator");
        row("rename bob ana", "", R::Taken, "ana owner|bob operator");
        row("pin bob", "4321", R::None, "ana owner|bob operator*");
        row("role bob owner", "654321", R::None, "ana owner|bob owner*");
        row("role bob owner", "4321", R::Pin, "ana owner|bob operator");
        row("role ana operator", "", R::NoOwner, "ana owner|bob operator");
        row("role ana operator", "", R::None, "ana operator|bob owner|carl operator",
            operatorsFile({ana, "bob,owner," + m_quoted, "carl,operator," + m_quoted}));
        row("remove bob", "", R::None, "ana owner");
        row("remove ana", "", R::NoOwner, "ana owner|bob operator");
        // The owner's line damaged: there is no owner, and none may be left out.
        row("add bob operator", "1234", R::NoOwner, " / 2 role", operatorsFile({"ana,Owner," + m_quoted}));
    }
    void changes()
    {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, pin);
        QFETCH(QString, change);
        QFETCH(OperatorRefusal, refusal);
        OperatorList list = OperatorList::read(start);
        const QByteArray digest = list.digest();
        QCOMPARE(run(list, change, pin), refusal);
        QVERIFY(wiped(pin));
        QTEST(described(list, m_hash), "operators");
        QCOMPARE(list.digest() != digest, refusal == OperatorRefusal::None); // a refusal leaves the file alone
    }
};

QTEST_GUILESS_MAIN(TestOperators)
#include "tst_operators.moc"
