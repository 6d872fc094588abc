#pragma once
// The main window's sensor notifications: it owns the command engine and the
// window target the libraries post their events to, and handles every
// command reply and library event on the GUI thread (OnSensorNotify): the
// member updates, the follow-up commands of the connect, configuration,
// reading and lost-connection roads, and the error shown once at the end.
//
// Owned beside the window and destroyed before it: it stops the worker (a call in flight ends
// first), closes the event target and ends the library's connection.
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "commands/read_results.h"
#include "core/command_engine.h"
#include "core/config_mngt.h"
#include "platform/window_target.h"

class CVarnisDatamatrixDlg;
class CSoftwareUpdate;

class CSensorNotify : public QObject {
    Q_OBJECT
public:
    explicit CSensorNotify(CVarnisDatamatrixDlg& dlg);
    ~CSensorNotify() override;

    // The library events' target (given to Connect by the worker).
    VtWindow window() { return &target_; }
    CommandEngine& engine() { return engine_; }
    CConfigMngt& configMngt() { return configMngt_; }
    CReadResults& reader() { return reader_; }

    void Post(int command);
    // The lock feature's login at a connect in a monitor state (true: go on).
    // Without one a locked configuration leaves the window disconnected.
    void setLoginAtConnect(std::function<bool()> login) { loginAtConnect_ = std::move(login); }
    // The software update, which takes the replies of the disconnect and the update.
    void setSoftwareUpdate(CSoftwareUpdate* update) { update_ = update; }
    // A reply as it reaches the GUI thread.
    void OnReply(CommandReply reply);
    // wParam and lParam of WM_SENSORNOTIFY: a reply without outputs, or an event.
    void OnSensorNotify(int id, int status, CommandReply* reply = nullptr);
    // The wait between service operation begun and the results list asked for.
    const QTimer& resultsListWait() const { return resultsListWait_; }

signals:
    // Each reply or event once handled (tests wait on it).
    void notified(int id, int status);

private:
    static void PostFromLibrary(void* context, unsigned message, uintptr_t wParam, intptr_t lParam,
                                VtPayloadDeleter deleter);
    void OnConnectReply(int status);
    void RememberConnection();
    void OnConnectionLost();
    void OnLiveFrame(int imageNumber);
    void EndOfCommand();
    void OnResultsListWaitOver();
    void EndSession();
    bool HandleReplyRow(int id, int status, CommandReply* reply);
    void OnConfigurationRead();
    bool OnReading(int id, CommandReply* reply);
    bool ReadReading(int id, CommandReply* reply);
    void ReadStatistics(const ReadingFetch& fetched);
    void ShowReplyImage(CommandReply* reply);
    void UpdateTeachButton();
    void OnResetStatistics();
    int LibraryCallStatus() const { return libraryCallStatus_; }

    CVarnisDatamatrixDlg& dlg_;
    VtWindowTarget target_{};
    CommandEngine engine_;
    CConfigMngt configMngt_;
    CReadResults reader_;
    std::atomic<bool> liveFramePending_{false};
    std::function<bool()> loginAtConnect_;
    CSoftwareUpdate* update_ = nullptr;
    QTimer resultsListWait_;
    uint64_t resultsListSession_ = 0;
    int libraryCallStatus_ = 0;  // the status of a library call the handler made itself
    bool undoingConnect_ = false;  // the disconnect posted after a connect the lock session failed
    int readError_ = 0;  // the first failure of the result reading, shown after the release
};
