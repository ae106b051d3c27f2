#include "app/recovery_copies.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "app/ui_language.h"
#include "base/file_io.h"
#include "base/text_file_save.h"
#include "base/ui_ports.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_save.h"
#include "designfile/design_writer.h"
#include "session/design_document.h"

namespace tabulorix {

namespace {

bool ProcessRunning(qint64 pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::optional<RecoveryCopy> ReadNote(const QString& noteFile) {
    QFile file(noteFile);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject note = QJsonDocument::fromJson(file.readAll()).object();
    RecoveryCopy copy;
    copy.noteFile = noteFile;
    copy.designFile = QFileInfo(noteFile).dir().filePath(QFileInfo(noteFile).completeBaseName() + ".tlx");
    copy.originalPath = note.value(QStringLiteral("design")).toString();
    copy.written = QDateTime::fromString(note.value(QStringLiteral("written")).toString(), Qt::ISODate);
    copy.processId = note.value(QStringLiteral("process")).toInteger();
    copy.bytes = note.value(QStringLiteral("bytes")).toInteger(-1);
    return copy;
}

bool WriteNote(const QString& noteFile, const QString& original, qint64 pid, qint64 bytes) {
    QJsonObject note;
    note.insert(QStringLiteral("design"), original);
    note.insert(QStringLiteral("bytes"), bytes);
    note.insert(QStringLiteral("written"), QDateTime::currentDateTime().toString(Qt::ISODate));
    note.insert(QStringLiteral("process"), pid);
    QSaveFile file(noteFile);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QJsonDocument(note).toJson());
    return file.commit();
}

QString Describe(const RecoveryCopy& copy) {
    const QString name = copy.originalPath.isEmpty() ? UiText::tr("無題") : copy.originalPath;
    return name + QStringLiteral(" (") + copy.written.toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
           QStringLiteral(")");
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(MGDesignDocument& document, const QString& folder, QObject* parent)
    : QObject(parent), document_(document), folder_(folder) {
    timer_.setInterval(kInterval);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::WriteIfModified);
    timer_.start();
}

RecoveryKeeper::~RecoveryKeeper() {
    if (writer_ != nullptr) writer_->wait();
    Discard();
}

QString RecoveryKeeper::DefaultFolder() {
    const QString chosen = qEnvironmentVariable("TABULORIX_RECOVERY_DIR");
    if (!chosen.isEmpty()) return chosen;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

QString RecoveryKeeper::OwnDesignFile() const {
    return QDir(folder_).filePath(QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".tlx"));
}

QString RecoveryKeeper::OwnNoteFile() const {
    return QDir(folder_).filePath(QString::number(QCoreApplication::applicationPid()) + QStringLiteral(".json"));
}

void RecoveryKeeper::DesignChanged() { QTimer::singleShot(0, this, &RecoveryKeeper::WriteIfModified); }

void RecoveryKeeper::WriteIfModified() {
    if (writer_ != nullptr || document_.Manager().SchemaCount() == 0) return;
    if (!IsModified(document_.Context())) return;
    if (!QDir().mkpath(folder_)) return;
    // The lines are the worker's alone from here on.
    std::vector<std::string> lines = BuildDesignLines(document_.Context());
    pendingOriginal_ = QString::fromStdString(document_.Manager().DesignPath());
    auto outcome = std::make_shared<QString>();
    writer_ = QThread::create([path = OwnDesignFile().toStdString(), lines = std::move(lines), outcome]() mutable {
        try {
            SaveTextFile(path, std::move(lines));
        } catch (const FileError& failure) {
            *outcome = QString::fromStdString(failure.what());
        }
    });
    connect(writer_, &QThread::finished, this, [this, outcome] {
        writer_->deleteLater();
        writer_ = nullptr;
        Finished(outcome->isEmpty(), *outcome);
    });
    writer_->start();
}

void RecoveryKeeper::Finished(bool ok, const QString& error) {
    if (!ok) {
        // A copy that cannot be written must not interrupt the user's work.
        std::fprintf(stderr, "tabulorix: recovery copy not written: %s\n", qPrintable(error));
        return;
    }
    if (WriteNote(OwnNoteFile(), pendingOriginal_, QCoreApplication::applicationPid(),
                  QFileInfo(OwnDesignFile()).size()))
        Q_EMIT copyWritten();
}

void RecoveryKeeper::Discard() {
    if (writer_ != nullptr) writer_->wait();
    QFile::remove(OwnNoteFile());
    QFile::remove(OwnDesignFile());
}

std::vector<RecoveryCopy> RecoveryKeeper::OrphanCopies() const {
    std::vector<RecoveryCopy> copies;
    const QDir folder(folder_);
    for (const QString& name : folder.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        std::optional<RecoveryCopy> copy = ReadNote(folder.filePath(name));
        if (!copy || copy->processId == QCoreApplication::applicationPid() || ProcessRunning(copy->processId))
            continue;
        copies.push_back(*copy);
    }
    std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) { return a.written > b.written; });
    return copies;
}

bool RecoveryKeeper::OfferOrphans(const std::function<bool(const RecoveryCopy&)>& restore) {
    for (const RecoveryCopy& copy : OrphanCopies()) {
        const Answer answer = Confirm(UiText::tr("前回、保存されていない変更があります。復元しますか?\n%1\n"
                                                 "(いいえ: 次回の起動まで残します  キャンセル: 破棄します)")
                                          .arg(Describe(copy))
                                          .toStdString());
        if (answer == Answer::No) continue;
        if (answer == Answer::Cancel) {
            MoveAside(copy, QStringLiteral("discarded"));
            continue;
        }
        // A copy shorter or longer than it was written is damaged.
        if (QFileInfo(copy.designFile).size() != copy.bytes || !restore(copy)) {
            MoveAside(copy, QStringLiteral("damaged"));
            ShowMessage(UiText::tr("復元用のコピーを開けませんでした。%1 に移しました。")
                            .arg(QDir(folder_).filePath(QStringLiteral("damaged")))
                            .toStdString());
            continue;
        }
        Adopt(copy);
        return true;
    }
    return false;
}

// A restored copy becomes this process's copy, so a second crash keeps it.
void RecoveryKeeper::Adopt(const RecoveryCopy& copy) {
    QFile::remove(OwnDesignFile());
    QFile::rename(copy.designFile, OwnDesignFile());
    QFile::remove(copy.noteFile);
    WriteNote(OwnNoteFile(), copy.originalPath, QCoreApplication::applicationPid(), copy.bytes);
}

void RecoveryKeeper::MoveAside(const RecoveryCopy& copy, const QString& subfolder) const {
    const QDir aside(QDir(folder_).filePath(subfolder));
    QDir().mkpath(aside.path());
    for (const QString& file : {copy.designFile, copy.noteFile}) {
        // Named by when they were written, so earlier ones are kept too.
        const QString target = aside.filePath(copy.written.toString(QStringLiteral("yyyyMMdd-HHmmss-")) +
                                              QFileInfo(file).fileName());
        QFile::remove(target);
        QFile::rename(file, target);
    }
}

}  // namespace tabulorix
