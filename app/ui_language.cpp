#include "app/ui_language.h"

#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/core_texts.h"

namespace tabulorix {

namespace {

UiLanguage installed = UiLanguage::Japanese;

// The catalogues installed by the last InstallUiLanguage (a catalogue
// removes itself from the application when it is destroyed).
std::vector<std::unique_ptr<QTranslator>>& InstalledTranslators() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

bool Install(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator.get())) return false;
    InstalledTranslators().push_back(std::move(translator));
    return true;
}

// The text with each "%n" replaced by the n-th part, in one pass (a part
// holding "%1" itself stays as it is).
QString WithParts(const QString& text, const QStringList& parts) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int n = i + 1 < text.size() && text[i] == QLatin1Char('%') ? text[i + 1].digitValue() : -1;
        if (n >= 1 && n <= parts.size()) {
            result += parts[n - 1];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// The expression matching a core text with inserted parts: the text's own
// characters literally, each "%n" any run of characters.
struct CorePattern {
    const char* source;
    QRegularExpression expression;
};

const std::vector<CorePattern>& CorePatterns() {
    static const std::vector<CorePattern> patterns = [] {
        std::vector<CorePattern> built;
        static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
        for (const char* source : CoreTextPatterns()) {
            const QString text = QString::fromUtf8(source);
            QString expression = QStringLiteral("\\A");
            qsizetype at = 0;
            for (auto it = placeholder.globalMatch(text); it.hasNext();) {
                const auto match = it.next();
                expression += QRegularExpression::escape(text.mid(at, match.capturedStart() - at));
                expression += QStringLiteral("(.*?)");
                at = match.capturedEnd();
            }
            expression += QRegularExpression::escape(text.mid(at)) + QStringLiteral("\\z");
            built.push_back({source, QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption)});
        }
        return built;
    }();
    return patterns;
}

}  // namespace

UiLanguage ChooseUiLanguage(const QStringList& userLanguages) {
    for (const QString& language : userLanguages) {
        if (language.startsWith(QStringLiteral("en"), Qt::CaseInsensitive)) return UiLanguage::English;
        if (language.startsWith(QStringLiteral("ja"), Qt::CaseInsensitive)) return UiLanguage::Japanese;
    }
    return UiLanguage::Japanese;
}

bool InstallUiLanguage(UiLanguage language) {
    InstalledTranslators().clear();
    installed = language;
    if (language == UiLanguage::English) return Install(QStringLiteral("tabulorix_en"), QStringLiteral(":/translations"));
    return Install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void RemoveUiLanguage() {
    InstalledTranslators().clear();
    installed = UiLanguage::Japanese;
}

QString TranslatedCoreText(const std::string& text) {
    const QString original = QString::fromStdString(text);
    const QString whole = UiText::tr(text.c_str());
    if (installed == UiLanguage::Japanese || whole != original) return whole;
    // Every pattern has Japanese words of its own: a text of plain ASCII
    // (a table name in a progress line, an English message) matches none.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) return original;
    for (const CorePattern& pattern : CorePatterns()) {
        const auto match = pattern.expression.match(original);
        if (!match.hasMatch()) continue;
        QStringList parts;
        for (int part = 1; part <= match.lastCapturedIndex(); ++part) {
            parts.append(TranslatedCoreText(match.captured(part).toStdString()));
        }
        return WithParts(UiText::tr(pattern.source), parts);
    }
    return original;
}

}  // namespace tabulorix
