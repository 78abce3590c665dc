#include "entry/MiscMath.h"
#include "util/MorString.h"

#include <QTest>

#include <cmath>

using namespace truvex;

namespace {

// The entry with a blank or TAB after every character, which must not matter.
std::string Spaced(const QString& entry)
{
    std::string spaced;
    for (int i = 0; i < entry.size(); ++i)
        spaced += entry.mid(i, 1).toStdString() + (i % 2 ? "\t" : " ");
    return spaced;
}

}  // namespace

class EvaluatorTest : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void failures_data();
    void failures();
    void errorMessage();
    void generalFormat_data();
    void generalFormat();
};

void EvaluatorTest::values_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("expected");
    QTest::newRow("power") << "2^3" << 8.0;
    QTest::newRow("power left to right") << "2^3^2" << 64.0;
    QTest::newRow("sign after operator") << "2*-3" << -6.0;
    QTest::newRow("subtraction left to right") << "10-2-3" << 5.0;
    QTest::newRow("sign belongs to the number") << "-2^2" << 4.0;
    QTest::newRow("exponent sign") << "1e-3" << 0.001;
    QTest::newRow("remainder") << "7%3" << 1.0;
    QTest::newRow("remainder negative") << "-7%3" << -1.0;
    QTest::newRow("remainder truncates") << "7.9%3" << 1.0;
    QTest::newRow("parentheses") << "(1+2)*3" << 9.0;
    QTest::newRow("nested parentheses") << "((1+2)*(3-1))^2" << 36.0;
    QTest::newRow("hex") << "$FF" << 255.0;
    QTest::newRow("factorial") << "5!" << 120.0;
    QTest::newRow("factorial of zero") << "0!" << 1.0;
    QTest::newRow("negative factorial") << "-3!" << -6.0;
    QTest::newRow("sin of pi/2") << "sin(pi/2)" << 1.0;
    QTest::newRow("function without parentheses") << "sqrt16" << 4.0;
    QTest::newRow("function with signed argument") << "abs-2" << 2.0;
    QTest::newRow("longest name arctanh") << "arctanh0" << 0.0;
    QTest::newRow("longest name cosec") << "cosec(pi/2)" << 1.0;
    QTest::newRow("cosh") << "cosh0" << 1.0;
    QTest::newRow("round halves to even") << "round2.5+round3.5" << 6.0;
    QTest::newRow("int truncates") << "int-2.7" << -2.0;
    QTest::newRow("frac") << "frac2.75" << 0.75;
    QTest::newRow("log base 10") << "log1000" << 3.0;
    QTest::newRow("ln of e") << "ln(e)" << 1.0;
    QTest::newRow("case-insensitive") << "SQRT(4)*PI/pi" << 2.0;
    QTest::newRow("blanks and tabs") << " 1 +\t2 " << 3.0;
    QTest::newRow("products before sums") << "1+2*3" << 7.0;
    QTest::newRow("equality last") << "1+1=2" << 1.0;
    QTest::newRow("or") << "0|2" << 1.0;
    QTest::newRow("and needs both") << "0&1" << 0.0;
    QTest::newRow("and") << "2&1" << 1.0;
    QTest::newRow("minus after minus operator") << "5--3" << 8.0;
    QTest::newRow("negative parenthesised result") << "2*(1-4)" << -6.0;
    QTest::newRow("decimal point") << ".5+5." << 5.5;
}

void EvaluatorTest::values()
{
    QFETCH(QString, entry);
    QFETCH(double, expected);
    for (const std::string& text : {entry.toStdString(), Spaced(entry)}) {
        const long double value = Evaluate(text);
        QVERIFY2(std::fabs(static_cast<double>(value) - expected) < 1e-15 * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString::number(static_cast<double>(value), 'g', 17)));
    }
}

void EvaluatorTest::failures_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << "" << "entry cannot be blank";
    QTest::newRow("only blanks") << "  \t" << "entry cannot be blank";
    QTest::newRow("unmatched close") << "1+2)" << "() (parentheses) do not match";
    QTest::newRow("operator without operand") << "2*" << "invalid expression";
    QTest::newRow("two operators") << "2**3" << "invalid expression";
    QTest::newRow("letters") << "abc" << "invalid character(s) in expression";
    QTest::newRow("sign before a function") << "-sin(1)" << "invalid character(s) in expression";
    QTest::newRow("unmatched open") << "(1+2" << "invalid character(s) in expression";
    QTest::newRow("bad hex") << "$G1" << "invalid use of $ (hex function)";
    QTest::newRow("empty hex") << "$" << "invalid use of $ (hex function)";
    QTest::newRow("factorial of a fraction") << "2.5!" << "! (factoral) applicable to integers only";
    QTest::newRow("division by zero") << "1/0" << "invalid expression";
    QTest::newRow("square root of negative") << "sqrt(0-1)" << "invalid expression";
    QTest::newRow("remainder by zero") << "5%0.5" << "invalid expression";
    QTest::newRow("infinity is no number") << "inf" << "invalid character(s) in expression";
}

void EvaluatorTest::failures()
{
    QFETCH(QString, entry);
    QFETCH(QString, reason);
    for (const std::string& text : {entry.toStdString(), Spaced(entry)}) {
        try {
            Evaluate(text);
            QFAIL("no error");
        } catch (const EEvaluationError& error) {
            QCOMPARE(QString::fromStdString(error.Reason()), reason);
        }
    }
}

void EvaluatorTest::errorMessage()
{
    try {
        Evaluate("1+2)");
        QFAIL("no error");
    } catch (const EEvaluationError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Entry could not be evaluated:\n() (parentheses) do not match"));
    }
}

void EvaluatorTest::generalFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 100.0 << 8 << "100";
    QTest::newRow("half") << 0.5 << 8 << "0.5";
    QTest::newRow("zero") << 0.0 << 8 << "0";
    QTest::newRow("negative zero") << -0.0 << 8 << "0";
    QTest::newRow("small") << 1e-5 << 8 << "1E-5";
    QTest::newRow("smallest fixed") << 0.0001 << 8 << "0.0001";
    QTest::newRow("large") << 123456789.0 << 8 << "1.2345679E8";
    QTest::newRow("largest fixed") << 99999999.0 << 8 << "99999999";
    QTest::newRow("rounded to digits") << 2.0 / 3.0 << 8 << "0.66666667";
    QTest::newRow("negative") << -2.54 << 8 << "-2.54";
    QTest::newRow("18 digits") << 0.1 << 18 << "0.100000000000000006";
}

void EvaluatorTest::generalFormat()
{
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(FormatGeneral(value, digits)), text);
}

QTEST_APPLESS_MAIN(EvaluatorTest)
#include "frontend_evaluator_test.moc"
