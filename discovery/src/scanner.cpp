#include "scanner.h"

#include <system_error>

#include "platform/thread_priority.h"
#include "subnet_search.h"

namespace sonvira {
namespace {

thread_local Scanner* t_currentScanner = nullptr;

void deleteRecord(void* record) {
    delete static_cast<SensorDiscoveryRecord*>(record);
}

}  // namespace

Scanner::Scanner(std::vector<std::string> networks, std::vector<std::string> masks, VtWindow window,
                 int wParamFound, int wParamDone, const DiscoverySettings& settings)
    : networks_(std::move(networks)),
      masks_(std::move(masks)),
      window_(window),
      wParamFound_(wParamFound),
      wParamDone_(wParamDone),
      settings_(settings) {}

Scanner* Scanner::current() {
    return t_currentScanner;
}

DiscoveryStatus Scanner::start() {
    if (networks_.empty() || networks_.size() != masks_.size()) return SONVIRA_NO_SUBNETS;
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error& e) {
        return SONVIRA_SYSTEM_ERROR_BASE + e.code().value();
    }
    return SONVIRA_OK;
}

void Scanner::stop() {
    stop_.request();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void Scanner::postDone(int lParam) {
    if (!stop_.requested())
        vt_post_message(window_, kWmUser, static_cast<uintptr_t>(wParamDone_), static_cast<intptr_t>(lParam));
}

void Scanner::run() {
    t_currentScanner = this;
    vt::setCurrentThreadIdlePriority();
    vt::setCurrentThreadName("sonvira-scan");
    SubnetSearch search(settings_, stop_);
    if (int error = search.open(); error != 0) {
        // Report it with "finished" rather than leave the caller waiting.
        error_ = SONVIRA_SYSTEM_ERROR_BASE + error;
        postDone(error_);
        return;
    }
    for (std::size_t i = 0; i < networks_.size() && !stop_.requested(); ++i) {
        // A subnet where nothing was found gets a second pass: a sensor may
        // have missed an echo or a query.
        for (int pass = 0; pass < 2 && !stop_.requested(); ++pass) {
            int found =
                search.run(networks_[i], masks_[i], [this](std::unique_ptr<SensorDiscoveryRecord> record) {
                    vt_post_message(window_, kWmUser, static_cast<uintptr_t>(wParamFound_),
                                    reinterpret_cast<intptr_t>(record.release()), &deleteRecord);
                    return true;
                });
            if (found > 0) break;
        }
    }
    postDone(0);
}

}  // namespace sonvira
