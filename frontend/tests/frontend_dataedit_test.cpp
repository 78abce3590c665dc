#include "entry/DataEdit.h"
#include "entry/InfoBox.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <limits>

using namespace truvex;

// A window with two entry fields; information boxes are captured.
class DataEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void initialState();
    void belowMinimum();
    void aboveMaximum();
    void integerOnlyKeepsFocus();
    void evaluationErrors_data();
    void evaluationErrors();
    void hexadecimal();
    void numberWriteClamps();
    void boundWriteRules();
    void loadingTakesValuesAsGiven();
    void label_data();
    void label();
    void enterAndOperators();
    void switchingWindowsIsNoExit();

private:
    std::unique_ptr<QWidget> window_;
    TDataEdit* field_ = nullptr;
    TDataEdit* other_ = nullptr;
    QLabel* label_ = nullptr;
    QStringList messages_;
    InformationHandler previous_;
};

void DataEditTest::init()
{
    messages_.clear();
    previous_ = SetInformationHandler([this](QWidget*, const QString& text) { messages_.append(text); });
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    label_ = new QLabel(window_.get());
    field_ = new TDataEdit(window_.get());
    other_ = new TDataEdit(window_.get());
    layout->addWidget(label_);
    layout->addWidget(field_);
    layout->addWidget(other_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    field_->setFocus();
    QTRY_VERIFY(field_->hasFocus());
}

void DataEditTest::cleanup()
{
    window_.reset();
    SetInformationHandler(previous_);
}

void DataEditTest::initialState()
{
    TDataEdit fresh;
    QCOMPARE(fresh.text(), QStringLiteral("0"));
    QCOMPARE(fresh.Units(), 1);
    QVERIFY(!fresh.IsValid());
    QVERIFY(fresh.MinVal() == std::numeric_limits<long double>::lowest());
    QVERIFY(fresh.MaxVal() == std::numeric_limits<long double>::max());
}

void DataEditTest::belowMinimum()
{
    field_->SetMinVal(0);
    field_->setText(QStringLiteral("-5"));
    other_->setFocus(Qt::TabFocusReason);  // leaving the field runs the check
    QCOMPARE(messages_, QStringList{QStringLiteral("Entry must be greater than or equal to 0")});
    QCOMPARE(field_->text(), QStringLiteral("0"));
    QVERIFY(!field_->IsValid());
    QVERIFY(field_->hasFocus());
}

void DataEditTest::aboveMaximum()
{
    field_->SetMaxVal(2.5);
    field_->setText(QStringLiteral("3"));
    QVERIFY(!field_->ExitCheck());
    QCOMPARE(messages_, QStringList{QStringLiteral("Entry must be less than or equal to 2.5")});
    QCOMPARE(field_->text(), QStringLiteral("2.5"));
    field_->setText(QStringLiteral("5/4"));
    QVERIFY(field_->ExitCheck());
    QCOMPARE(field_->text(), QStringLiteral("1.25"));
    QVERIFY(field_->IsValid());
}

void DataEditTest::integerOnlyKeepsFocus()
{
    field_->SetIntegerOnly(true);
    field_->setText(QStringLiteral("2.5"));
    int exits = 0;
    connect(field_, &TDataEdit::Exited, this, [&exits] { ++exits; });
    other_->setFocus(Qt::TabFocusReason);
    QCOMPARE(exits, 1);
    QCOMPARE(messages_, QStringList{QStringLiteral("Entry must be an integer.")});
    QVERIFY(field_->hasFocus());
    QCOMPARE(field_->text(), QStringLiteral("2.5"));

    field_->setText(QStringLiteral("3"));
    other_->setFocus(Qt::TabFocusReason);
    QVERIFY(other_->hasFocus());
    QVERIFY(field_->IsValid());
    QCOMPARE(messages_.size(), 1);
}

void DataEditTest::evaluationErrors_data()
{
    QTest::addColumn<bool>("integerOnly");
    QTest::addColumn<QString>("message");
    QTest::newRow("integer field") << true << "Entry must be a valid integer.";
    QTest::newRow("real field") << false << "Entry could not be evaluated:\ninvalid character(s) in expression";
}

void DataEditTest::evaluationErrors()
{
    QFETCH(bool, integerOnly);
    QFETCH(QString, message);
    field_->SetIntegerOnly(integerOnly);
    field_->setText(QStringLiteral("abc"));
    other_->setFocus(Qt::TabFocusReason);
    QCOMPARE(messages_, QStringList{message});
    QVERIFY(field_->hasFocus());
    QCOMPARE(field_->text(), QStringLiteral("abc"));
}

void DataEditTest::hexadecimal()
{
    field_->SetHex(true);
    field_->SetNumber(255);
    QCOMPARE(field_->text(), QStringLiteral("$00FF"));
    QCOMPARE(static_cast<double>(field_->Number()), 255.0);
    field_->SetNumber(74565.4);
    QCOMPARE(field_->text(), QStringLiteral("$12345"));
    field_->setText(QStringLiteral("16*16"));
    QVERIFY(field_->ExitCheck());
    QCOMPARE(field_->text(), QStringLiteral("$0100"));
    field_->SetNumber(-1);  // the 64-bit pattern, which reads back as -1
    QCOMPARE(static_cast<double>(field_->Number()), -1.0);
}

void DataEditTest::numberWriteClamps()
{
    field_->SetMinVal(-1);
    field_->SetMaxVal(10);
    field_->SetNumber(12);
    QCOMPARE(field_->text(), QStringLiteral("10"));
    field_->SetNumber(-3);
    QCOMPARE(field_->text(), QStringLiteral("-1"));
    field_->SetNumber(0.1L);
    QCOMPARE(field_->text(), QStringLiteral("0.1"));
    QVERIFY(messages_.isEmpty());
}

void DataEditTest::boundWriteRules()
{
    field_->SetNumber(5);
    field_->SetMinVal(7);  // raises the value
    QCOMPARE(field_->text(), QStringLiteral("7"));
    field_->SetMaxVal(3);  // never below the minimum
    QVERIFY(field_->MaxVal() == 7);
    field_->SetMaxVal(20);
    field_->SetMinVal(30);  // never above the maximum
    QVERIFY(field_->MinVal() == 20);
    QCOMPARE(field_->text(), QStringLiteral("20"));
    field_->SetMaxVal(8);  // lowers the value... but not below the minimum
    QVERIFY(field_->MaxVal() == 20);

    other_->SetMinVal(-1e12L);
    other_->SetMaxVal(1e12L);
    other_->SetIntegerOnly(true);  // the bounds come into the 32-bit range
    QVERIFY(other_->MinVal() == std::numeric_limits<std::int32_t>::min());
    QVERIFY(other_->MaxVal() == std::numeric_limits<std::int32_t>::max());
}

void DataEditTest::loadingTakesValuesAsGiven()
{
    field_->SetLoading(true);
    field_->SetMaxVal(5);
    field_->SetMinVal(9);
    field_->SetNumber(100);
    field_->SetLoading(false);
    QVERIFY(field_->MinVal() == 9);
    QVERIFY(field_->MaxVal() == 5);
    QCOMPARE(field_->text(), QStringLiteral("100"));
}

void DataEditTest::label_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("text");
    QTest::newRow("English") << "L2" << 1 << "Free height (ft)";
    QTest::newRow("SI") << "F/L2^2" << 2 << "Free height (kN/m^2)";
    QTest::newRow("other shows the code") << "F/L2^2" << 3 << "Free height (F/L2^2)";
    QTest::newRow("below 1 counts as English") << "L2" << 0 << "Free height (ft)";
    QTest::newRow("no unit") << "" << 1 << "Free height";
}

void DataEditTest::label()
{
    QFETCH(QString, code);
    QFETCH(int, units);
    QFETCH(QString, text);
    field_->SetEditLabel(label_);
    field_->SetCaption(QStringLiteral("Free height"));
    field_->SetUnitsString(code);
    field_->SetUnits(units);
    QCOMPARE(label_->text(), text);
    QCOMPARE(label_->buddy(), field_);
    field_->setEnabled(false);
    QVERIFY(!label_->isEnabled());
    field_->setEnabled(true);
    QVERIFY(label_->isEnabled());
}

void DataEditTest::enterAndOperators()
{
    field_->setText(QStringLiteral("2*3"));
    QTest::keyClick(field_, Qt::Key_Return);
    QCOMPARE(field_->text(), QStringLiteral("6"));
    QCOMPARE(field_->selectedText(), QStringLiteral("6"));
    QVERIFY(field_->hasFocus());
    // An operator over the whole selection extends the value; a digit replaces it.
    QTest::keyClicks(field_, QStringLiteral("*2"));
    QCOMPARE(field_->text(), QStringLiteral("6*2"));
    QTest::keyClick(field_, Qt::Key_Enter);
    QCOMPARE(field_->text(), QStringLiteral("12"));
    QTest::keyClicks(field_, QStringLiteral("4"));
    QCOMPARE(field_->text(), QStringLiteral("4"));
    QVERIFY(messages_.isEmpty());
}

void DataEditTest::switchingWindowsIsNoExit()
{
    field_->SetMinVal(0);
    field_->setText(QStringLiteral("-5"));
    QFocusEvent windowSwitch(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(field_, &windowSwitch);
    QVERIFY(messages_.isEmpty());
    QCOMPARE(field_->text(), QStringLiteral("-5"));
}

QTEST_MAIN(DataEditTest)
#include "frontend_dataedit_test.moc"
