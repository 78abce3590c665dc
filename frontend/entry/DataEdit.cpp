#include "DataEdit.h"

#include "InfoBox.h"
#include "MiscMath.h"
#include "Units.h"
#include "util/MorString.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <limits>

namespace truvex {

TDataEdit::TDataEdit(QWidget* parent)
    : QLineEdit(parent),
      minVal_(std::numeric_limits<long double>::lowest()),
      maxVal_(std::numeric_limits<long double>::max())
{
    setText(QStringLiteral("0"));
}

void TDataEdit::SetIntegerOnly(bool integerOnly)
{
    integerOnly_ = integerOnly;
    if (integerOnly && !loading_) {
        SetMinVal(minVal_);
        SetMaxVal(maxVal_);
    }
}

void TDataEdit::SetCaption(const QString& caption)
{
    caption_ = caption;
    RefreshLabel();
}

void TDataEdit::SetEditLabel(QLabel* label)
{
    label_ = label;
    if (label_)
        label_->setBuddy(this);
    RefreshLabel();
}

void TDataEdit::SetUnitsString(const QString& code)
{
    unitsString_ = code;
    RefreshLabel();
}

void TDataEdit::SetUnits(int system)
{
    units_ = ClampUnitSystem(system);
    RefreshLabel();
}

void TDataEdit::RefreshLabel()
{
    if (!label_)
        return;
    QString text = caption_;
    if (!unitsString_.isEmpty())
        text += QStringLiteral(" (") + QString::fromStdString(EntryUnitText(unitsString_.toStdString(), units_))
            + QStringLiteral(")");
    label_->setText(text);
    label_->setEnabled(isEnabled());
}

long double TDataEdit::IntegerLimited(long double value) const
{
    if (!integerOnly_)
        return value;
    return std::clamp<long double>(value, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
}

void TDataEdit::SetMinVal(long double value)
{
    if (loading_) {
        minVal_ = value;
        return;
    }
    minVal_ = IntegerLimited(std::min(value, maxVal_));
    try {
        if (Number() < minVal_)
            SetNumber(minVal_);
    } catch (const EEvaluationError&) {
        // An entry that does not evaluate is left for the exit check.
    }
}

void TDataEdit::SetMaxVal(long double value)
{
    if (loading_) {
        maxVal_ = value;
        return;
    }
    maxVal_ = IntegerLimited(std::max(value, minVal_));
    try {
        if (Number() > maxVal_)
            SetNumber(maxVal_);
    } catch (const EEvaluationError&) {
        // An entry that does not evaluate is left for the exit check.
    }
}

long double TDataEdit::Number() const { return Evaluate(text().toStdString()); }

void TDataEdit::SetNumber(long double value)
{
    if (!loading_)
        value = std::clamp(value, minVal_, maxVal_);
    setText(FormatValue(value));
}

QString TDataEdit::FormatValue(long double value) const
{
    if (!hex_)
        return QString::fromStdString(FormatGeneral(value, 18));
    const long double rounded = std::nearbyint(value);
    std::int64_t whole = 0;
    if (rounded >= 9.2233720368547758e18L)
        whole = std::numeric_limits<std::int64_t>::max();
    else if (rounded <= -9.2233720368547758e18L)
        whole = std::numeric_limits<std::int64_t>::min();
    else
        whole = static_cast<std::int64_t>(rounded);
    // A negative value is written as its 64-bit pattern, which reads back.
    return QStringLiteral("$") + QString::number(static_cast<quint64>(whole), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

bool TDataEdit::ExitCheck()
{
    valid_ = false;
    emit Exited();
    long double value = 0;
    try {
        value = Number();
    } catch (const EEvaluationError& error) {
        Fail(integerOnly_ ? QStringLiteral("Entry must be a valid integer.") : QString::fromStdString(error.what()));
        return false;
    }
    if (integerOnly_ && value != std::trunc(value)) {
        Fail(QStringLiteral("Entry must be an integer."));
        return false;
    }
    if (value < minVal_) {
        setText(FormatValue(minVal_));
        Fail(QStringLiteral("Entry must be greater than or equal to ") + FormatValue(minVal_));
        return false;
    }
    if (value > maxVal_) {
        setText(FormatValue(maxVal_));
        Fail(QStringLiteral("Entry must be less than or equal to ") + FormatValue(maxVal_));
        return false;
    }
    setText(FormatValue(value));
    valid_ = true;
    return true;
}

void TDataEdit::Fail(const QString& message)
{
    // The box takes the focus while it is shown; that is no exit of the field.
    failing_ = true;
    ShowInformation(this, message);
    failing_ = false;
    if (parentWidget() && isVisible())
        setFocus(Qt::OtherFocusReason);
}

void TDataEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move to another control of the window is an exit; switching to
    // another window or opening a menu is not.
    if (failing_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    ExitCheck();
}

void TDataEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ExitCheck();
        selectAll();
        event->accept();
        return;
    }
    // An operator typed over the whole selected value extends the value.
    const QString typed = event->text();
    if (typed.size() == 1 && QStringLiteral("+-/*^=%!").contains(typed) && hasSelectedText()
        && selectedText() == text()) {
        deselect();
        end(false);
    }
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && label_)
        label_->setEnabled(isEnabled());
}

}  // namespace truvex
