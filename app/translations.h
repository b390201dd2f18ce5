#pragma once

#include <QCoreApplication>

#include "workflow/language.h"

namespace torbex::app {

// Gives the application the texts of `language`: Qt's own, for the standard buttons and the file
// dialogs, from Qt's translations folder or a "translations" folder beside the program (where a
// Windows deployment puts them). False when Qt's are not found: the program then runs with
// Qt's English ones.
bool installTranslations(QCoreApplication& app, workflow::Language language);

}  // namespace torbex::app
