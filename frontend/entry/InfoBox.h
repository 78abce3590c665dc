// The information box (information icon, one OK button) in which the front
// end shows entry, reading and loader errors. The handler can be replaced,
// so that tests capture the text instead of blocking on a modal box.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace truvex {

using InformationHandler = std::function<void(QWidget* parent, const QString& text)>;

void ShowInformation(QWidget* parent, const QString& text);

// Installs a handler (an empty one restores the message box) and returns
// the previous one.
InformationHandler SetInformationHandler(InformationHandler handler);

}  // namespace truvex
