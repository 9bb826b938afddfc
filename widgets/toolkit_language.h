#pragma once

#include <QString>

namespace nerim {

// The toolkit's own texts (file dialogs, message-box buttons, the fields' context menus) in the
// interface language: Qt's translation for the language code ("es", "en", "pt_BR") from the
// toolkit's translations folder (Debian's qt6-translations-l10n), replacing the one installed
// before. English, an empty code, or a language without a translation leave Qt's own English.
// True when a translation is in place.
bool SetToolkitLanguage(const QString& Code);

}  // namespace nerim
