#include "commands/sensor_notify.h"

#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <utility>

#include "commands/main_dialog_helpers.h"
#include "core/waiting_write.h"
#include "core/code_types.h"
#include "core/error_codes.h"
#include "core/command_rows.h"
#include "core/sensor_address.h"
#include "core/sensor_command.h"
#include "core/sensor_command_post.h"
#include "dravik/dravik.h"
#include "dravik/results.h"
#include "dravik/sensor_bitmap.h"
#include "dravik/sensor_commands.h"
// Qt's keyword macro `slots` must not meet the quality records' members.
#pragma push_macro("slots")
#undef slots
#include "records/barcode_quality_params.h"
#include "records/ecc200_quality_params.h"
#include "records/pdf417_quality_params.h"
#pragma pop_macro("slots")
#include "services/prompt.h"
#include "text/text_codecs.h"
#include "update/software_update.h"
#include "core/dialog_state_rules.h"
#include "window/dialog_control.h"
#include "window/main_commands.h"
#include "window/main_window.h"

namespace {

constexpr int kConnectRefusedByHost = -107;
constexpr int kNoLockedResultInMonitor = -7003;
constexpr int kNoSensorAddress = -14210;  // an address field fails its check
constexpr int kCodeBoxOverlay = 1;
constexpr int kServiceSettleMs = 400;  // service operation begun, results not yet listed
// Leaving: how long the worker's call may go on, and the disconnect after it.
constexpr std::chrono::milliseconds kLeaveWait{1000};

// The image-quality page's lighting, characteristic and Auto setting, and
// the read-back that follows them.
bool IsImageQualityRoad(int id) {
    return id == CMD_SET_CONFIG_DATA || id == CMD_CALCULATE_EXPOSURE || id == CMD_GET_CONFIG_DATA;
}

std::string Utf8(const std::u16string& text) {
    std::string out;
    Utf16ToUtf8String(out, text);
    return out;
}

}  // namespace

CSensorNotify::CSensorNotify(CVarnisDatamatrixDlg& dlg)
    : QObject(nullptr),
      dlg_(dlg),
      engine_(
          [this](CommandReply&& r) {
              QPointer<CSensorNotify> self(this);
              QMetaObject::invokeMethod(
                  this,
                  [self, reply = std::move(r)]() mutable {
                      if (self) self->OnReply(std::move(reply));
                  },
                  Qt::QueuedConnection);
          },
          [this](const SensorCommandRequest& r, CommandReply& reply) { RunCommandRow(r, reply, &target_); }),
      reader_(dlg.state(), [this](int code) {
          if (readError_ == 0) readError_ = code;
      }) {
    resultsListWait_.setSingleShot(true);
    resultsListWait_.setInterval(kServiceSettleMs);
    connect(&resultsListWait_, &QTimer::timeout, this, &CSensorNotify::OnResultsListWaitOver);
    vt_target_init(&target_, &CSensorNotify::PostFromLibrary, this);
    dlg_.setCommandPoster([this](int id) { Post(id); });
    dlg_.setSessionEnder([this] { EndSession(); });
    // The window's own stop (page switches, lighting changes, the editor left).
    dlg_.setStopLiveImage([this] { return StopLiveImage(dlg_); });
    engine_.Start();
}

CSensorNotify::~CSensorNotify() {
    dlg_.setCommandPoster({});
    dlg_.setSessionEnder({});
    dlg_.setStopLiveImage({});
    // Leaving never waits for a sensor that stopped answering: a call still
    // running after a moment is cut and the session given up unsaid.
    engine_.Stop(kLeaveWait, [] { AbandonConnection(); });
    vt_target_close(&target_);
    SetThreadCallDeadline(static_cast<int>(kLeaveWait.count()));
    Disconnect(Utf8(dlg_.state().m_strConnectKey).c_str());
    SetThreadCallDeadline(0);
}

void CSensorNotify::PostFromLibrary(void* context, unsigned message, uintptr_t wParam, intptr_t lParam,
                                    VtPayloadDeleter deleter) {
    auto* self = static_cast<CSensorNotify*>(context);
    if (deleter) deleter(reinterpret_cast<void*>(lParam));
    if (message != WM_SENSORNOTIFY) return;
    int id = static_cast<int>(wParam);
    int status = static_cast<int>(lParam);
    // At most one frame event waits: a slow paint never builds a queue of frames.
    if (id == SN_LIVE_IMAGE_FRAME && self->liveFramePending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        self, [self, id, status] { self->OnSensorNotify(id, status); }, Qt::QueuedConnection);
}

void CSensorNotify::Post(int command) {
    MainDialogState& s = dlg_.state();
    if (command == CMD_CONNECT) {
        // Never a connection's name as the host: without an address nothing connects.
        if (s.m_strConnectAddress.empty()) {
            s.m_bBusy = 0;
            if (CDialogControl* control = dlg_.dialogControlIfMade()) control->ConnectEnded();
            dlg_.errors().ShowError(kNoSensorAddress);
            return;
        }
    }
    ::PostSensorCommand(s, engine_, command);
}

void CSensorNotify::EndSession() {
    // A reset drops the reply of that disconnect: the next disconnect is a plain one.
    undoingConnect_ = false;
    engine_.EndSession();
    engine_.FlushPending();
    engine_.Pause();
    // The window no longer waits for this session: a call it left running
    // (a sensor gone silent) ends now, and the library's threads with it.
    AbandonConnection();
}

void CSensorNotify::OnReply(CommandReply reply) {
    MainDialogState& s = dlg_.state();
    if (!TakeSensorReply(s, engine_, reply)) {
        // Replaced, flushed or of an ended session: counted, nothing else.
        if (s.m_nOutstandingCommands == 0 && reply.session != engine_.Session()) s.m_bBusy = 0;
        emit notified(reply.id, reply.status);
        return;
    }
    OnSensorNotify(reply.id, reply.status, &reply);
}

void CSensorNotify::OnResultsListWaitOver() {
    MainDialogState& s = dlg_.state();
    // A disconnect or a lost connection meanwhile: the list is no longer wanted.
    if (resultsListSession_ != engine_.Session() || !s.m_bConnected || s.m_nSensorState != 9 || s.m_bTestRunning) {
        EndOfCommand();
        return;
    }
    if (CDialogControl* control = dlg_.dialogControlIfMade(); control && !s.m_bServiceView)
        control->EnterServiceView();
    else if (ServicePanelService* service = dlg_.panels().service.get())
        service->ClearResultSlots(true);
    Post(CMD_GET_RESULTS_LIST);
}

void CSensorNotify::EndOfCommand() {
    MainDialogState& s = dlg_.state();
    // A follow-up posted meanwhile keeps the window busy without a gap.
    if (s.m_nOutstandingCommands == 0) s.m_bBusy = 0;
}

namespace {

// The write of the global settings: the dialog or the sensor page that sent it reacts.
void SensorGlobalsWritten(MainPanels& panels, int status) {
    if (panels.sensorSettings) panels.sensorSettings->OnWriteReply(status);
    if (panels.sensorPanel) panels.sensorPanel->OnWriteReply(status);
}

}  // namespace

void CSensorNotify::OnSensorNotify(int id, int status, CommandReply* reply) {
    MainDialogState& s = dlg_.state();
    libraryCallStatus_ = 0;
    bool error = !((status == 0 && id != SN_LIVE_IMAGE_FRAME) || status == -4202);
    bool endsAtOnce = false;

    switch (id) {
        case 0:
            error = false;
            endsAtOnce = true;
            break;
        case SN_LIVE_IMAGE_FRAME:
            error = false;
            OnLiveFrame(status);
            endsAtOnce = true;
            break;
        case SN_POLL_RESULT_1:
            if (s.m_bTestRunning) Post(CMD_GET_TEST_TRIGGER_RESULTS);
            error = false;
            endsAtOnce = true;
            break;
        case SN_POLL_RESULT_2:
        case SN_POLL_RESULT_3:
            if (s.m_bTestRunning) Post(CMD_GET_RESULT_WITH_IMAGE);
            error = false;
            endsAtOnce = true;
            break;
        case SN_CONNECTION_LOST:
            OnConnectionLost();
            error = false;
            endsAtOnce = true;
            break;
        case CMD_CONNECT:
            OnConnectReply(status);
            endsAtOnce = true;
            break;
        default:
            if (id == CMD_SET_SENSOR_GLOBALS) SensorGlobalsWritten(dlg_.panels(), error ? status : 0);
            if (!error || id == CMD_DISCONNECT || id == CMD_UPDATE_SOFTWARE)
                endsAtOnce = HandleReplyRow(id, status, reply);
            // The detection's start switched controls off: they come back on a failure too.
            if (error && id == CMD_AUTO_DETECT_CODE)
                if (CodeDefinitionService* page = dlg_.panels().codeDefinition.get()) page->AutoDetectFailed();
            if (error && id == CMD_REVERT_CODE_DATA)
                if (CodeDefinitionService* page = dlg_.panels().codeDefinition.get()) page->RevertFailed();
            // A regex test that failed found nothing: its error follows below.
            if (error && id == CMD_APPLY_REGEX)
                if (ProcessInterfaceService* page = dlg_.panels().processInterface.get()) page->ShowRegexResult(0);
            // A failed configuration command: the manager's flags and tree recover.
            if (error)
                if (auto& manager = dlg_.panels().configManager) manager->OnCommandFailed(id);
            // A test or live image the function test could not start: its page goes back.
            if (error && (id == CMD_TEST_CONFIG_ON || id == CMD_START_LIVE_IMAGE))
                if (FunctionTestService* page = dlg_.panels().functionTest.get()) page->OnCommandFailed(id);
            if (error && IsImageQualityRoad(id))
                if (ImageQualityService* page = dlg_.panels().imageQuality.get()) page->OnCommandFailed(id);
            if (error && id == CMD_TEST_TRIGGER_ON)
                if (TriggerSettingsService* page = dlg_.panels().trigger.get()) page->OnCommandFailed(id);
            // A reading that could not be fetched must not stop the monitor for good.
            if (error && id == CMD_GET_RESULT_WITH_IMAGE && s.m_bTestRunning) Post(CMD_RESUME_POLLING);
            break;
    }
    if (!endsAtOnce && (error || libraryCallStatus_ != 0)) {
        EndOfCommand();
        dlg_.errors().ShowError(error ? status : libraryCallStatus_);
    }
    // The image-quality page's live image comes back once its refusal was read.
    if (error && IsImageQualityRoad(id))
        if (ImageQualityService* page = dlg_.panels().imageQuality.get()) page->OnFailureShown(id);
    emit notified(id, status);
}

void CSensorNotify::OnLiveFrame(int imageNumber) {
    liveFramePending_ = false;
    // The newest frame, whichever event announced it; none yet shows nothing.
    SensorBitmap* bitmap = nullptr;
    GetLastLiveImageTaken(&bitmap);
    if (!bitmap) return;
    LiveFrame frame = LiveFrame::fromBitmap(bitmap, imageNumber);
    DeleteSensorBitmap(bitmap);
    if (ImageViewService* view = dlg_.panels().imageView.get(); view && !frame.empty())
        view->OfferLiveFrame(std::move(frame));
}

void CSensorNotify::OnConnectionLost() {
    MainDialogState& s = dlg_.state();
    s.m_bTestRunning = 0;
    if (s.m_bConnected) dlg_.errors().ShowError(s.m_nOutstandingCommands > 0 ? -10080 : -11060);
}

void CSensorNotify::OnConnectReply(int status) {
    MainDialogState& s = dlg_.state();
    // Whatever the reply: the connect is no longer under way, the scan's
    // choice is used up, and the connect commands are free again.
    s.m_bConnectFromScan = 0;
    CDialogControl* control = dlg_.dialogControlIfMade();
    if (control) control->ConnectEnded();
    if (auto& panel = dlg_.panels().connectionPanel) panel->OnConnectEnded();
    // A failed connect has ended the library's session on the worker already.
    if (status == kConnectRefusedByHost) {
        dlg_.errors().ShowError(-14221);
        EndOfCommand();
        return;
    }
    if (status != 0) {
        EndOfCommand();
        // A status of the sensor's own above 0 ends the connect as well: say so.
        if (status > 0 && status != ErrorCodes::kConnectionLost)
            dlg_.errors().ShowConnectNotAccepted(status);
        else
            dlg_.errors().ShowError(status);
        return;
    }
    // The lock session of the state controller (one owner of the lock
    // client); a failure leaves nothing connected behind the window.
    if (!control || !control->StartLockSession() || !control->QueryLockStatus()) {
        if (control) control->FinishLockSession();
        // On the worker, busy till its reply: against a sensor gone silent
        // "xmlDisconnect" waits its whole limit, which froze the window here.
        undoingConnect_ = true;
        Post(CMD_DISCONNECT);
        return;
    }
    s.m_bConnected = 1;
    s.m_bValidationFailed = 0;
    // The disconnect's reset left it set: the new session's pages check their fields again.
    s.m_bLeaving = 0;
    RememberConnection();
    s.m_nLiveImagePort = LiveImagePortOf(s.m_SensorGlobals);
    control->Apply();

    switch (s.m_nSensorState) {
        case 2:
            s.m_bBusy = 0;
            // The monitor view, as the monitor mode button does.
            if (CMainCommands* commands = dlg_.commandsIfMade()) {
                commands->OnModeStatic(DialogIds::kModeMonitor);
            } else {
                s.m_bBusy = 1;
                Post(CMD_MONITOR_ON);
            }
            EndOfCommand();
            break;
        case 3:
        case 4:
            if (s.m_bSensorLocked && (s.m_nLockedItems & 2) && !s.m_bLoggedIn &&
                !(loginAtConnect_ && loginAtConnect_())) {
                // Without a login the sensor stays closed to configuration.
                s.m_bConnected = 0;
                EndOfCommand();
                dlg_.ShowDisconnectNotice();
                return;
            }
            Post(CMD_MONITOR_OFF);
            EndOfCommand();
            break;
        default: {
            dlg_.errors().ShowError(-14220);
            auto answer =
                dlg_.prompt().message(dlg_.messageOwner(), dlg_.text(6002), dlg_.messageTitle(),
                                      QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel);
            if (answer == QMessageBox::Ok) {
                s.m_bConnected = 0;
                dlg_.ShowDisconnectNotice();
            }
            EndOfCommand();
            break;
        }
    }
}

// The next start preselects the saved connection used last; an address
// typed or found by the scan is none, so nothing is preselected then.
void CSensorNotify::RememberConnection() {
    const QString name = QString::fromStdU16String(dlg_.state().m_strConnectionName);
    dlg_.setLastConnection(name);
    if (dlg_.settings().WriteLastConnection(name) != 0) dlg_.WarnSettingsNotSaved();
}

void CSensorNotify::ShowReplyImage(CommandReply* reply) {
    // Only a new picture replaces the shown one.
    if (!reply || !reply->image) return;
    if (ImageViewService* view = dlg_.panels().imageView.get()) view->ShowPicture(GreyToImage(std::move(*reply->image)));
}

void CSensorNotify::ReadStatistics(const ReadingFetch& fetched) {
    MainDialogState& s = dlg_.state();
    if (!fetched.statisticsRead) return;
    if (const int status = fetched.statisticsStatus; status != 0) {
        if (!(status == kNoLockedResultInMonitor && s.m_nSensorState == 2)) libraryCallStatus_ = status;
        return;
    }
    s.m_nTotalReadings = fetched.total;
    s.m_nGoodReadings = fetched.good;
    s.m_nFailedReadings = fetched.total - fetched.good;
    if (QLabel* pane = dlg_.statusPane(7))
        pane->setText(QStringLiteral("%1 %2").arg(dlg_.text(1014)).arg(fetched.total));
    if (s.m_nSensorState == 2)
        if (MonitorPanelService* monitor = dlg_.panels().monitor.get()) monitor->UpdateStatistics();
}

// In the configuration editor the Teach button follows the first code's type.
void CSensorNotify::UpdateTeachButton() {
    MainDialogState& s = dlg_.state();
    if (s.m_nSensorState != 4 && s.m_nSensorState != 5) return;
    const int codeType = s.m_ResultCodeTypes[0];
    if (!(CodeTypeFlagsOf(codeType) & CODE_FLAG_2D)) return;
    if (CodeDefinitionService* page = dlg_.panels().codeDefinition.get()) page->UpdateTeachButton(codeType);
}

// A reading fetched by the worker (a monitor reading, a stored result, a
// single decode): its records, picture, texts and statistics. The result
// stays locked on the sensor until released, so it is released on every
// path and polling resumes.
bool CSensorNotify::OnReading(int id, CommandReply* reply) {
    readError_ = 0;
    const bool ended = ReadReading(id, reply);
    // Released once this thread has read what it needs, before an error box
    // can lead to a disconnect.
    Post(CMD_UNLOCK_RESULT);
    if (readError_ != 0) dlg_.errors().ShowError(readError_);
    return ended;
}

bool CSensorNotify::ReadReading(int id, CommandReply* reply) {
    MainDialogState& s = dlg_.state();
    MainPanels& panels = dlg_.panels();
    static const ReadingFetch kNothingFetched;
    const ReadingFetch& fetched = reply ? reply->reading : kNothingFetched;
    if (id == CMD_GET_READ_CODE) {
        ShowReplyImage(reply);
        const bool read = fetched.fetched && reader_.ReadSensorResults(fetched, panels.results.get()) == 0;
        if (panels.codeDefinition && panels.codeDefinition->hasPendingAction())
            panels.codeDefinition->EndPendingAction();
        if (!read || (panels.results && panels.results->Refresh() != 0)) return true;
        UpdateTeachButton();
        return false;
    }
    CDialogControl* control = dlg_.dialogControlIfMade();
    if (id == CMD_REFRESH_RESULT && panels.balloon) panels.balloon->HideTip();
    ShowReplyImage(reply);
    if (reader_.ReadSensorResults(fetched, panels.results.get()) != 0) return true;
    // Codes on a shown picture can be looked at closer.
    if (id == CMD_GET_RESULT_WITH_IMAGE && s.m_nReadCount > 0 && panels.monitor && panels.monitor->imagesShown() &&
        control)
        control->EnableZoomButtons(true);
    ReadStatistics(fetched);
    if (panels.results && panels.results->Refresh() != 0) return true;
    if (id == CMD_GET_RESULT_WITH_IMAGE) {
        if (panels.results) panels.results->SetImageStoreMode(2);
        if (s.m_nSensorState == 7) {
            // A picture the function test could not keep is reported by the tail.
            if (panels.results)
                if (const int stored = panels.results->StoreResultImage(); stored != 0 && libraryCallStatus_ == 0)
                    libraryCallStatus_ = stored;
            if (panels.functionTest) panels.functionTest->UpdateStatistics();
        }
        UpdateTeachButton();
        if (panels.balloon) panels.balloon->HideTip();
    } else if (s.m_nStoredResultCount > 0 && panels.results) {
        panels.results->AddEvaluationCaption();
        if (control) control->EnableZoomButtons(true);
    }
    // The old reading's tooltip went; a pointer resting on a code shows the new one's.
    if (panels.results) panels.results->ShowTipAtPointer();
    return false;
}

// The statistics as the page in front shows them: the function test, the
// service view or the monitor.
void CSensorNotify::OnResetStatistics() {
    MainDialogState& s = dlg_.state();
    MainPanels& panels = dlg_.panels();
    constexpr int kFunctionTestStep = 18;
    auto clearPicture = [&] {
        if (panels.imageView) {
            panels.imageView->RemoveAllOverlays();
            panels.imageView->ShowDefaultImage();
        }
        dlg_.log().Clear();
    };
    if (s.m_nWizardStep == kFunctionTestStep) {
        s.m_nTotalReadings = 0;
        s.m_bTestRunning = 1;
        if (panels.functionTest) panels.functionTest->ClearStatistics();
        if (panels.results) panels.results->ResetImageSlots();
    } else if (s.m_nSensorState == 9) {
        s.m_nTotalReadings = 0;
        if (panels.monitor) panels.monitor->ClearStatistics();
        s.m_nStoredResultCount = 0;
        if (panels.service) {
            panels.service->ClearResultSlots(true);
            panels.service->FillResultsGrid(true);
        }
        clearPicture();
        if (QLabel* pane = dlg_.statusPane(7)) pane->setText(QStringLiteral("%1 0").arg(dlg_.text(1014)));
        s.m_bZoomMode = false;
        dlg_.LeaveZoomMode();
        if (CDialogControl* control = dlg_.dialogControlIfMade()) control->EnableZoomButtons(false);
        // Nothing follows the reset in service operation.
        EndOfCommand();
    } else if (s.m_nSensorState == 2) {
        s.m_bTestRunning = 1;
        s.m_nTotalReadings = 0;
        s.m_nReadCount = 0;
        if (panels.monitor) panels.monitor->ResetStatistics();
        clearPicture();
    }
}

// A configuration read: the typed configuration and the code definition's
// members, then the pages that show them.
void CSensorNotify::OnConfigurationRead() {
    MainDialogState& s = dlg_.state();
    if (s.m_ConfigData.empty()) return;
    KeepWaitingChanges(s);
    ReadConfigurationRecords(s);
    // The configuration's window of interest, which a drag then changes.
    s.m_rcWoi = ConfiguredWoi(s.m_Configuration.imageQuality);
    if (ImageQualityService* page = dlg_.panels().imageQuality.get()) page->ShowSettings();
    if (TriggerSettingsService* page = dlg_.panels().trigger.get()) {
        page->FillTriggerSourceCombo();
        page->FillFromConfig();
    }
    const CodeDefinitionSettings& c = s.m_Configuration.codeDefinition;
    s.m_nCodeType = c.CodeType;
    s.m_nRecognitionMode = c.Recognition;
    s.m_nCodesPerImage = c.CodesPerImage;
    if (CodeDefinitionService* page = dlg_.panels().codeDefinition.get()) {
        page->UpdateCodeTypeList();
        page->ShowSettings();
        page->ShowFilters();
        page->ShowCompositeSettings();
    }
    if (ProcessInterfaceService* page = dlg_.panels().processInterface.get()) page->ShowSettings();
}

namespace {

// The family's quality list just read: its output flags and grades into the
// quality settings (bar codes by the form of the edited code type).
void ReadQualitySettings(MainDialogState& s, int id) {
    switch (id) {
        case CMD_GET_ECC200_QR_QUALITY:
            CECC200QualityParams::GetInstance()->ReadAll(s.m_ECC200QRQuality, s.m_QualitySettings);
            break;
        case CMD_GET_PDF417_QUALITY:
            CPDF417QualityParams::GetInstance()->ReadAll(s.m_PDF417Quality, s.m_QualitySettings);
            break;
        default:
            CBarcodeQualityParams::GetInstance()->ReadAll(s.m_QualityParams, s.m_QualitySettings,
                                                          HasCodeFlag(s.m_nCodeType, CODE_FLAG_COMPOSITE));
            break;
    }
}

}  // namespace

// The row of a reply that ran; true when it has ended the handling (no tail).
bool CSensorNotify::HandleReplyRow(int id, int status, CommandReply* reply) {
    MainDialogState& s = dlg_.state();
    switch (id) {
        case CMD_DISCONNECT:
            engine_.FlushPending();
            s.m_bTestRunning = 0;
            s.m_bConnected = 0;
            if (CDialogControl* control = dlg_.dialogControlIfMade()) control->FinishLockSession();
            if (std::exchange(undoingConnect_, false)) {
                // The window was never connected: nothing to reset, the typed address stays.
            } else if (update_) {
                // A failed disconnect drops the pending update.
                if (!update_->OnDisconnectReply(status != 0 && status != -4202)) dlg_.ResetUserInterface();
            } else if (s.m_bUpdatePending && status == 0) {
                Post(CMD_UPDATE_SOFTWARE);
            } else {
                s.m_bUpdatePending = 0;
                dlg_.ResetUserInterface();
            }
            EndOfCommand();
            return true;
        case CMD_UPDATE_SOFTWARE:
            if (update_) {
                update_->OnUpdateReply(status, status == 0 || status == -4202,
                                       reply && reply->updateConnectionLost);
                EndOfCommand();
                return true;
            }
            dlg_.ResetUserInterface();
            EndOfCommand();
            if (status != 0) dlg_.errors().ShowError(status > 0 ? -status : status);
            return true;
        case CMD_AUTO_DETECT_CODE:
            s.m_bAutoDetected = 1;
            // A new picture: the configured search area over it, not the last reading's.
            ShowWoiOverlay(dlg_);
            ShowReplyImage(reply);
            s.m_nCodeType = s.m_nDetectedCodeType;
            if (CodeDefinitionService* page = dlg_.panels().codeDefinition.get()) page->ShowAutoDetectResult();
            return false;
        case CMD_GET_SENSOR_GLOBALS:
            EndOfCommand();
            if (SensorSettingsService* settings = dlg_.panels().sensorSettings.get()) settings->OnGlobalsRead();
            return false;
        case CMD_SET_SENSOR_GLOBALS:
            EndOfCommand();
            return false;
        case CMD_APPLY_REGEX:
            // Nothing follows in its chain: the dialog must not stay busy.
            EndOfCommand();
            if (ProcessInterfaceService* page = dlg_.panels().processInterface.get())
                page->ShowRegexResult(s.m_nRegexResult);
            return false;
        case CMD_RESET_STATISTICS:
            OnResetStatistics();
            // Its poster set the busy flag; nothing follows in its chain.
            EndOfCommand();
            return false;
        case CMD_CLOSE_AND_SAVE:
        case CMD_CLOSE_AND_DISCARD:
            // The editor's live image stops now that the close has its answer.
            if (CMainCommands* commands = dlg_.commandsIfMade()) commands->OnEditorCloseReply();
            Post(CMD_GET_CONFIG_LIST);
            return false;
        case CMD_COPY_CONFIG:
        case CMD_ACTIVATE_CONFIG:
        case CMD_ACTIVATE_GROUP:
        case CMD_RENAME_CONFIG:
        case CMD_MOVE_CONFIG:
        case CMD_DELETE_CONFIG:
        case CMD_SET_GROUP_MASTER:
            Post(CMD_GET_CONFIG_LIST);
            return false;
        case CMD_UPLOAD_CONFIG: {
            // Nothing active on the sensor: what was loaded is activated.
            int next = 0;
            if (auto& manager = dlg_.panels().configManager; manager && !manager->IsAnyConfigActive())
                next = manager->ActivationAfterUpload();
            Post(next != 0 ? next : CMD_GET_CONFIG_LIST);
            return false;
        }
        case CMD_GET_INFO_CONFIG:
            EndOfCommand();
            if (auto& dialogs = dlg_.panels().configDialogs) dialogs->RunInfo();
            return false;
        case CMD_CREATE_CONFIG:
            Post(CMD_EDIT_CONFIG);
            return false;
        case CMD_EDIT_CONFIG:
            s.m_nConfigId = 0;
            Post(CMD_GET_CONFIG_DATA);
            // The editor opens on its first page when its page buttons exist.
            if (CDialogControl* control = dlg_.dialogControlIfMade(); control && dlg_.panels().taskButtons)
                control->EnterEditorLayout();
            else if (ImageQualityService* page = dlg_.panels().imageQuality.get())
                page->DisableExposure();
            s.m_bConfigModified = 0;
            // A quality output chosen in an earlier edit is not this one's to send.
            s.m_bQualityOutputChanged = 0;
            return false;
        case CMD_GET_CONFIG_DATA:
            EndOfCommand();
            OnConfigurationRead();
            return false;
        case CMD_GET_ECC200_DATA:
        case CMD_GET_PDF417_DATA:
        case CMD_GET_QRCODE_DATA:
        case CMD_GET_BARCODE_DATA:
        case CMD_GET_AZTEC_DATA:
            EndOfCommand();
            if (CodeDefinitionService* page = dlg_.panels().codeDefinition.get()) {
                page->ShowCodeData(s.m_nCodeType);
                if (id == CMD_GET_BARCODE_DATA) page->ShowCompositeSettings();
            }
            return false;
        case CMD_GET_ECC200_QR_QUALITY:
        case CMD_GET_PDF417_QUALITY:
        case CMD_GET_QUALITY_PARAMS:
            ReadQualitySettings(s, id);
            EndOfCommand();
            return false;
        case CMD_SET_ECC200_QR_QUALITY:
        case CMD_SET_PDF417_QUALITY:
        case CMD_SET_QUALITY_PARAMS:
            s.m_bQualityOutputChanged = 0;
            EndOfCommand();
            return false;
        case CMD_REVERT_CODE_DATA:
            // The reverted settings come back with the family's own get.
            if (const int get = GetCodeFamilyCommands(s.m_nCodeType).getData; get != 0) Post(get);
            return false;
        case CMD_SET_CONFIG_DATA:
        case CMD_CALCULATE_EXPOSURE:
            s.m_nConfigId = 0;
            Post(CMD_GET_CONFIG_DATA);
            return false;
        case CMD_GET_CONFIG_LIST:
            configMngt_.RebuildConfigMap(s.m_ConfigList);
            if (auto& manager = dlg_.panels().configManager) manager->RebuildFromConfigList();
            s.m_nTotalReadings = 0;
            // The configuration mode the mode button asked for has begun.
            if (CDialogControl* control = dlg_.dialogControlIfMade();
                control && s.m_nSensorState == 4 && s.m_nWizardStep != 8 && !IsEditorStep(s.m_nWizardStep))
                control->EnterConfigurationView();
            EndOfCommand();
            return false;
        case CMD_START_LIVE_IMAGE: {
            MainPanels& panels = dlg_.panels();
            s.m_bLiveImage = 1;
            ShowWoiOverlay(dlg_);
            if (panels.imageView) panels.imageView->RemoveOverlaysOfKind(kCodeBoxOverlay);
            dlg_.log().Clear();
            if (s.m_bBusy) EndOfCommand();
            if (!s.m_bKeepExposureDisabled && panels.imageQuality) panels.imageQuality->EnableExposure(true);
            return false;
        }
        case CMD_STOP_LIVE_IMAGE:
            // The picture the sensor took as the stream stopped replaces the last live frame.
            ShowReplyImage(reply);
            s.m_bLiveImage = 0;
            EndOfCommand();
            return false;
        case CMD_MONITOR_ON:
            if (!s.m_bTestRunning) return true;
            Post(CMD_RESUME_POLLING);
            return false;
        case CMD_MONITOR_OFF:
            if (s.m_bTestRunning) return true;
            if (s.m_nSensorState == 4 || s.m_nSensorState == 0) {
                s.m_nSensorState = 4;
                Post(CMD_GET_CONFIG_LIST);
            } else if (s.m_nSensorState == 9) {
                // The sensor lists its stored results only a moment after it entered service operation.
                resultsListSession_ = engine_.Session();
                resultsListWait_.start();
            } else {
                // Nothing follows (a connect in state 3): the window is free again.
                EndOfCommand();
            }
            return false;
        case CMD_UNLOCK_RESULT:
            Post(CMD_RESUME_POLLING);
            return false;
        case CMD_GET_RESULT_WITH_IMAGE:
            if (!s.m_bTestRunning) return true;
            return OnReading(id, reply);
        case CMD_REFRESH_RESULT:
        case CMD_GET_READ_CODE:
            return OnReading(id, reply);
        case CMD_GET_TEST_TRIGGER_RESULTS: {
            if (!s.m_bTestRunning) return true;
            // Each trigger of the test is told in the log, its picture shown clean.
            MainPanels& panels = dlg_.panels();
            if (panels.imageView) panels.imageView->RemoveOverlaysOfKind(kCodeBoxOverlay);
            if (panels.balloon) panels.balloon->HideTip();
            ShowReplyImage(reply);
            dlg_.log().Clear();
            dlg_.log().Add(dlg_.text(8610), s.m_messageColour);
            EndOfCommand();
            return false;
        }
        case CMD_GET_STATISTICS:
            s.m_nFailedReadings = s.m_nTotalReadings - s.m_nGoodReadings;
            return false;
        case CMD_GET_RESULTS_LIST:
        case CMD_GET_FAILED_RESULTS_LIST:
            if (s.m_bTestRunning) return true;
            // The service mode the mode button asked for has begun.
            if (CDialogControl* control = dlg_.dialogControlIfMade();
                control && s.m_nSensorState == 9 && !s.m_bServiceView)
                control->EnterServiceView();
            // The slots take the new list; with a list switch on the first row is fetched.
            if (s.m_bServiceView && dlg_.panels().service) dlg_.panels().service->FillResultsGrid(true);
            if (s.m_nStoredResultCount == 0) EndOfCommand();
            return false;
        case CMD_DOWNLOAD_CONFIG:
        case CMD_TEST_CONFIG_OFF:
        case CMD_TEST_TRIGGER_OFF:
        case CMD_RESUME_POLLING:
        case CMD_TRANSMIT_TEST_DATA:
        case CMD_TRANSMIT_FAIL_DATA:
        case CMD_TRANSMIT_MATCH_STRING:
        case CMD_UPDATE_RECOGNITION_MODE:
        case CMD_SAVE_ALL_RESULTS:
        case CMD_SAVE_FAILED_RESULTS:
        case CMD_SAVE_SERVICE_REPORT:
        case CMD_SAVE_CURRENT_RESULT:
        case CMD_SET_ECC200_DATA:
        case CMD_SET_PDF417_DATA:
        case CMD_SET_QRCODE_DATA:
        case CMD_SET_BARCODE_DATA:
        case CMD_SET_AZTEC_DATA:
            EndOfCommand();
            return false;
        default:
            return false;
    }
}
