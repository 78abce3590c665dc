#include "InfoBox.h"

#include <QMessageBox>

namespace truvex {
namespace {

void ShowMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QStringLiteral("Information"), text, QMessageBox::Ok);
}

InformationHandler CurrentHandler = ShowMessageBox;

}  // namespace

void ShowInformation(QWidget* parent, const QString& text) { CurrentHandler(parent, text); }

InformationHandler SetInformationHandler(InformationHandler handler)
{
    InformationHandler previous = std::move(CurrentHandler);
    CurrentHandler = handler ? std::move(handler) : InformationHandler(ShowMessageBox);
    return previous;
}

}  // namespace truvex
