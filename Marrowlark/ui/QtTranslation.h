#pragma once

// Qt's own texts (file panels, the text fields' context menu, standard buttons) in the interface's
// language, from the translations installed with Qt; without them they stay English.
namespace QtTranslation {

// Installs the translation for LanguageManager's language now and again on every change of it.
void follow();

} // namespace QtTranslation
