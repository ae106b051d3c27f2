#include "app/qt_ports.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/ui_language.h"

namespace tabulorix {

namespace {

// Texts shown as a warning with the single button "中止".
constexpr const char* kAbortWarningTexts[] = {"このデザインファイルは処理できません"};

// The patterns of a caption that ends in "(...)", or an empty string.
QString TrailingParenthesis(const QString& caption) {
    if (!caption.endsWith(QLatin1Char(')'))) return {};
    const auto open = caption.lastIndexOf(QLatin1Char('('));
    if (open < 0) return {};
    return caption.mid(open + 1, caption.size() - open - 2);
}

QString QtFilterEntry(QString caption, const QString& patternField) {
    caption = caption.trimmed();
    QStringList patterns = patternField.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) {
        if (caption.isEmpty() || !TrailingParenthesis(caption).isEmpty()) return caption;
        return caption + QStringLiteral(" (*)");
    }
    const QString joined = patterns.join(QLatin1Char(' '));
    if (caption.isEmpty()) return joined;
    const QString own = TrailingParenthesis(caption);
    if (own == joined) return caption;
    if (own == patternField.trimmed()) {
        // "(*.a;*.b)": the same patterns in the form Qt splits.
        return caption.left(caption.size() - own.size() - 1) + joined + QLatin1Char(')');
    }
    return caption + QStringLiteral(" (") + joined + QLatin1Char(')');
}

// A box showing the text in the user's language, as it is (never read as
// rich text).
void SetPlainText(QMessageBox& box, const std::string& text) {
    box.setTextFormat(Qt::PlainText);
    box.setText(TranslatedCoreText(text));
}

}  // namespace

QString QtFilterFromPipes(const std::string& filter) {
    const QStringList fields = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < fields.size(); i += 2) {
        const QString pattern = i + 1 < fields.size() ? fields[i + 1] : QString();
        const QString entry = QtFilterEntry(fields[i], pattern);
        if (!entry.isEmpty()) entries.append(entry);
    }
    return entries.join(QStringLiteral(";;"));
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty()) return path;
    const auto slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string result = path;
    if (!result.empty() && result.back() == '.' && result.size() > nameStart + 1) {
        result.pop_back();
    } else {
        const auto dot = path.find_last_of('.');
        // A dot that starts the name (a hidden file) is not an extension.
        if (dot != std::string::npos && dot > nameStart) return path;
    }
    return result + "." + extension;
}

bool QtPorts::IsAbortWarning(const std::string& text) {
    for (const char* prefix : kAbortWarningTexts) {
        if (text.starts_with(prefix)) return true;
    }
    return false;
}

void QtPorts::ShowMessage(const std::string& text) {
    if (IsAbortWarning(text)) {
        ShowAbortWarning(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(kProgramTitle), QString(), QMessageBox::Ok,
                    window_);
    SetPlainText(box, text);
    box.exec();
}

void QtPorts::ShowAbortWarning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, UiText::tr("警告"), QString(), QMessageBox::Abort, window_);
    SetPlainText(box, text);
    box.button(QMessageBox::Abort)->setText(UiText::tr("中止"));
    box.exec();
}

Answer QtPorts::Confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, UiText::tr("確認", "title of a question box"), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, window_);
    SetPlainText(box, text);
    box.button(QMessageBox::Yes)->setText(UiText::tr("はい(&Y)"));
    box.button(QMessageBox::No)->setText(UiText::tr("いいえ(&N)"));
    box.button(QMessageBox::Cancel)->setText(UiText::tr("キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<std::string> QtPorts::AskOpenFileName(const FileDialogRequest& request) {
    return AskFileName(request, false);
}

std::optional<std::string> QtPorts::AskSaveFileName(const FileDialogRequest& request) {
    return AskFileName(request, true);
}

std::optional<std::string> QtPorts::AskFileName(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(window_, TranslatedCoreText(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtFilterFromPipes(TranslatedCoreText(request.filter).toStdString()));
    // Qt appends the suffix before it checks for an existing file, so the
    // overwrite question names the file that will be written.
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.initialName.empty()) dialog.selectFile(QString::fromStdString(request.initialName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    std::string path = chosen.first().toStdString();
    // Dialogs of the desktop may ignore the default suffix.
    if (save) path = WithDefaultExtension(path, request.defaultExtension);
    return path;
}

}  // namespace tabulorix
