// TDataEdit: a one-line numeric entry field. It accepts a number or an
// arithmetic expression, evaluates it when the user leaves the field or
// presses Enter, enforces a minimum, a maximum and optionally whole numbers,
// and labels itself with a caption and the unit of its unit code.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace truvex {

class TDataEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TDataEdit(QWidget* parent = nullptr);

    bool IntegerOnly() const { return integerOnly_; }
    // Turning it on re-applies both bounds.
    void SetIntegerOnly(bool integerOnly);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // The label that shows the caption and unit; it gets the field as its buddy.
    QLabel* EditLabel() const { return label_; }
    void SetEditLabel(QLabel* label);
    bool Hex() const { return hex_; }
    void SetHex(bool hex) { hex_ = hex; }
    long double MinVal() const { return minVal_; }
    // At most MaxVal (with IntegerOnly within the 32-bit range); the value is
    // raised to it when below.
    void SetMinVal(long double value);
    long double MaxVal() const { return maxVal_; }
    // At least MinVal (with IntegerOnly within the 32-bit range); the value is
    // lowered to it when above.
    void SetMaxVal(long double value);
    // The text evaluated; throws EEvaluationError.
    long double Number() const;
    // Clamped to the bounds and written as text.
    void SetNumber(long double value);
    const QString& UnitsString() const { return unitsString_; }
    void SetUnitsString(const QString& code);
    int Units() const { return units_; }
    void SetUnits(int system);  // clamped to 1..3

    // While the form is being loaded, bounds and values are taken as given.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }
    // True after the last exit check succeeded.
    bool IsValid() const { return valid_; }

    // "$" and at least four hexadecimal digits with Hex, else general format
    // with up to 18 significant digits.
    QString FormatValue(long double value) const;
    // Evaluates and checks the entry as on leaving the field; a failure is
    // shown in an information box and the field keeps the focus.
    bool ExitCheck();

signals:
    void Exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RefreshLabel();
    void Fail(const QString& message);
    long double IntegerLimited(long double value) const;

    bool integerOnly_ = false;
    QString caption_;
    QPointer<QLabel> label_;
    bool hex_ = false;
    long double minVal_;
    long double maxVal_;
    QString unitsString_;
    int units_ = 1;
    bool loading_ = false;
    bool valid_ = false;
    bool failing_ = false;
};

}  // namespace truvex
