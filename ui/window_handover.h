#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLockFile;

namespace veltra {

// One window for all of a user's logs. A program started while the user's
// window is open hands its logs to that window and ends: logs opened from
// the file manager together make one run, and no two windows race to
// write one missing-nationality list.
class WindowHandover : public QObject {
    Q_OBJECT
public:
    // The outcome of one start.
    struct Start {
        // True when a running window took the logs; this program then ends.
        bool handedOver = false;
        // Otherwise: receives the logs of later starts once Listen is called.
        std::unique_ptr<WindowHandover> receiver;
    };

    // Hands `logs` (full paths) to the user's running window, or, when none
    // runs, makes this program the one later starts hand their logs to.
    // Until Listen, later starts wait, so that two starts at once cannot
    // both become the window.
    static Start HandOverOrReceive(const QStringList& logs);

    ~WindowHandover() override;

    // Opens for later starts. False when that failed; each start then opens
    // a window of its own, as before.
    bool Listen();

    // The name starts meet by: one per user (per settings file).
    static QString ServerName();

signals:
    // Logs handed over by a later start, possibly none (the user only
    // started the program again).
    void LogsArrived(const QStringList& logs);

private:
    explicit WindowHandover(std::unique_ptr<QLockFile> lock);
    void Receive();

    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace veltra
