#include "entry/Units.h"

#include <QTest>

#include <cmath>

using namespace truvex;

class UnitsTest : public QObject {
    Q_OBJECT

private slots:
    void factorEnglishToSI_data();
    void factorEnglishToSI();
    void factorBetweenSystems();
    void unitText_data();
    void unitText();
    void entryUnitText_data();
    void entryUnitText();
};

void UnitsTest::factorEnglishToSI_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("siToEnglish");
    QTest::newRow("L2") << "L2" << 3.280839895;
    QTest::newRow("F/L2^3") << "F/L2^3" << 224.8089237 / (3.280839895 * 3.280839895 * 3.280839895);
    QTest::newRow("F-L^2") << "F-L^2" << 224.8089237 * 39.37007874 * 39.37007874;
    QTest::newRow("F/L^2") << "F/L^2" << 224.8089237 / (39.37007874 * 39.37007874);
    QTest::newRow("L1^2") << "L1^2" << 0.03937007874 * 0.03937007874;
    QTest::newRow("F-L/RAD.") << "F-L/RAD." << 224.8089237 * 39.37007874;
    QTest::newRow("F1") << "F1" << 0.2248089237;
    QTest::newRow("unitless words") << "DEG." << 1.0;
    QTest::newRow("empty") << "" << 1.0;
}

void UnitsTest::factorEnglishToSI()
{
    QFETCH(QString, code);
    QFETCH(double, siToEnglish);
    const std::string text = code.toStdString();
    QVERIFY(std::fabs(static_cast<double>(UnitFactor(text)) / siToEnglish - 1) < 1e-12);
    QVERIFY(std::fabs(static_cast<double>(ConversionFactor(text, UnitsSI, UnitsEnglish)) / siToEnglish - 1) < 1e-12);
    QVERIFY(std::fabs(static_cast<double>(ConversionFactor(text, UnitsEnglish, UnitsSI)) * siToEnglish - 1) < 1e-12);
}

void UnitsTest::factorBetweenSystems()
{
    // 1 psi is about 6.9 kN/m2.
    const long double psi = ConversionFactor("F/L^2", UnitsEnglish, UnitsSI);
    QVERIFY(std::fabs(static_cast<double>(psi) - 6.8948) < 1e-3);
    for (const char* code : {"F/L^2", "L2", "F-L^2", ""}) {
        QCOMPARE(static_cast<double>(ConversionFactor(code, UnitsOther, UnitsEnglish)), 1.0);
        QCOMPARE(static_cast<double>(ConversionFactor(code, UnitsSI, UnitsOther)), 1.0);
        QCOMPARE(static_cast<double>(ConversionFactor(code, UnitsSI, UnitsSI)), 1.0);
    }
    // Stored unit systems are clamped to 1..3.
    QCOMPARE(ClampUnitSystem(0), 1);
    QCOMPARE(ClampUnitSystem(7), 3);
}

void UnitsTest::unitText_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("text");
    QTest::newRow("F/L2^3 other") << "F/L2^3" << 3 << "F/L^3";
    QTest::newRow("F/L2^3 English") << "F/L2^3" << 1 << "lbs/ft^3";
    QTest::newRow("F/L2^3 SI") << "F/L2^3" << 2 << "kN/m^3";
    QTest::newRow("L1 SI") << "L1" << 2 << "mm";
    QTest::newRow("L1 English") << "L1" << 1 << "in";
    QTest::newRow("F-L^2 other") << "F-L^2" << 3 << "F-L^2";
    QTest::newRow("F-L^2 English") << "F-L^2" << 1 << "lbs-in^2";
    QTest::newRow("L1^2 SI") << "L1^2" << 2 << "mm^2";
    QTest::newRow("F4 other") << "F4" << 3 << "M";
    QTest::newRow("F-L/RAD. SI") << "F-L/RAD." << 2 << "kN-m/RAD.";
    QTest::newRow("words stay") << "SEE NOTES" << 1 << "SEE NOTES";
    QTest::newRow("empty") << "" << 1 << "";
}

void UnitsTest::unitText()
{
    QFETCH(QString, code);
    QFETCH(int, system);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(UnitText(code.toStdString(), system)), text);
}

void UnitsTest::entryUnitText_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("text");
    QTest::newRow("other keeps the code") << "F/L2^3" << 3 << "F/L2^3";
    QTest::newRow("English") << "F/L2^3" << 1 << "lbs/ft^3";
    QTest::newRow("SI") << "F/L2^2" << 2 << "kN/m^2";
    QTest::newRow("every F and L") << "F-L/L" << 1 << "lbs-in/in";
    QTest::newRow("one L2 only") << "L2/L2" << 1 << "ft/L2";
    QTest::newRow("F1 before F") << "F1-L2" << 1 << "kips-ft";
    QTest::newRow("L1 SI") << "L1" << 2 << "mm";
}

void UnitsTest::entryUnitText()
{
    QFETCH(QString, code);
    QFETCH(int, system);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(EntryUnitText(code.toStdString(), system)), text);
}

QTEST_APPLESS_MAIN(UnitsTest)
#include "frontend_units_test.moc"
