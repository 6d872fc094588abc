#include "record_template.h"

#include <memory>
#include <mutex>
#include <string>

#include "platform/lib_dir.h"
#include "xml_config_reader.h"
#include "xml_file_loader.h"

namespace dravik {
namespace {

std::mutex readerMutex;
std::unique_ptr<CXmlConfigReader> reader;

}  // namespace

std::filesystem::path templateDir() {
    auto lib = vt::libDirFor(reinterpret_cast<const void*>(&templateDir));
    if (lib.empty()) return {};
    return lib / "Palvero";
}

int FetchRecordTemplate(ParameterList& out, int templateId) {
    std::lock_guard lock(readerMutex);
    if (!reader) reader = std::make_unique<CXmlConfigReader>();
    // Read anew on every fetch: the files may change while the program runs.
    std::string text;
    if (int rc = CXmlFileLoader().Load(templateDir(), templateId, text); rc != 0) return rc;
    return reader->Read(text, out);
}

void ReleaseTemplateReader() {
    std::lock_guard lock(readerMutex);
    reader.reset();
}

}  // namespace dravik
