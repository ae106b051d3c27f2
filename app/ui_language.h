// The language of the user interface. Japanese texts are the source and the
// default; an English catalogue (data/translations/tabulorix_en.ts, compiled
// into the program) is chosen when the user's languages put English before
// Japanese. Only what the window shows is translated: what the program
// writes or draws (design files, scripts, lists, the diagram and its legend,
// printed pages, pictures) is the same in every language.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <string>

class QApplication;

namespace tabulorix {

// The translation context of every text of the program: UiText::tr("…").
class UiText {
    Q_DECLARE_TR_FUNCTIONS(UiText)
};

enum class UiLanguage { Japanese, English };

// The language for the user's ordered list of languages (as
// QLocale::uiLanguages gives it, e.g. "en-US", "ja", "de-DE"): the first
// that is English or Japanese; Japanese when neither is listed.
UiLanguage ChooseUiLanguage(const QStringList& userLanguages);

// Installs the catalogues of the language: for Japanese Qt's own Japanese
// texts (qtbase_ja); for English the program's English catalogue (Qt's own
// texts are English already). Replaces what an earlier call installed.
// False when a catalogue could not be loaded.
bool InstallUiLanguage(UiLanguage language);

// Removes what InstallUiLanguage installed: the program's Japanese source
// texts and Qt's English ones.
void RemoveUiLanguage();

// A text the core hands to the window (a message, a question, a progress
// line, a file dialog's title or filter, a list heading, a tree category)
// as the user reads it: its translation when the catalogue has the text;
// else, when it is one of the core's texts with inserted parts ("ファイル
// \"%1\" を保存できません: %2" and the like), that text's translation with
// the inserted parts translated in turn; else the text unchanged.
QString TranslatedCoreText(const std::string& text);

}  // namespace tabulorix
