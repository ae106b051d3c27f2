// Recovery copies: while the design is modified, a copy of it is written
// every minute into the user's state folder, with a note of the file it
// belongs to, when it was written and which process wrote it. A save, a
// clean close or the end of the program removes it; after a crash or a
// power cut the next start finds it and offers it back. The user's own file
// is written only when the user saves.
//
// The design's lines are made on the main thread (they read the model); the
// encoding and writing of the file run on a worker that owns those lines and
// touches nothing else, so the window never waits for the disk.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace tabulorix {

class MGDesignDocument;

struct RecoveryCopy {
    QString designFile;    // the copy, a design file
    QString noteFile;      // what it belongs to
    QString originalPath;  // the user's file; empty for an unsaved design
    QDateTime written;
    qint64 processId = 0;
    qint64 bytes = -1;     // the size it was written with
};

class RecoveryKeeper final : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kInterval{60'000};

    // folder: where copies are kept (created when needed).
    RecoveryKeeper(MGDesignDocument& document, const QString& folder, QObject* parent = nullptr);
    // Waits for a write in progress, then removes this process's copy.
    ~RecoveryKeeper() override;

    // $TABULORIX_RECOVERY_DIR, else "recovery" in the per-user data folder.
    static QString DefaultFolder();

    void SetInterval(std::chrono::milliseconds interval) { timer_.setInterval(interval); }
    // The design changed as a whole (a relayout): a copy is written soon.
    void DesignChanged();
    // Writes a copy now when the design is modified (and no write runs).
    void WriteIfModified();
    // The design was saved or set aside: this process's copy goes.
    void Discard();

    // Copies left by processes that are no longer running, newest first.
    std::vector<RecoveryCopy> OrphanCopies() const;
    // Asks about each orphan copy, newest first: Yes restores it through
    // `restore` (which opens it as the modified design it was) and stops
    // asking; No keeps it for a later start; Cancel moves it to the folder
    // "discarded". A copy that cannot be opened is moved to "damaged" and
    // reported. Returns whether a copy was restored.
    bool OfferOrphans(const std::function<bool(const RecoveryCopy&)>& restore);

Q_SIGNALS:
    // A copy was written completely (for tests and status).
    void copyWritten();

private:
    QString OwnDesignFile() const;
    QString OwnNoteFile() const;
    void Finished(bool ok, const QString& error);
    void Adopt(const RecoveryCopy& copy);
    void MoveAside(const RecoveryCopy& copy, const QString& subfolder) const;

    MGDesignDocument& document_;
    QString folder_;
    QTimer timer_;
    QThread* writer_ = nullptr;  // the write in progress, if any
    QString pendingOriginal_;   // the note of the write in progress
};

}  // namespace tabulorix
