// The service report generator: reads the sensor's settings, statistics,
// configurations and stored results through a SensorReader and writes them
// as the report document, with one picture per stored result beside it.
#pragma once

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "config_mngt.h"
#include "sensor_reader.h"
#include "xml_parser.h"

namespace dravik {

class CServiceReport {
public:
    // `folder` receives the pictures; `when` is the report's local time (the
    // title's stamp and the pictures' names). The configuration map's trace
    // lines go to `trace` (null: none).
    CServiceReport(SensorReader& reader, std::string folder, const std::tm& when, std::FILE* trace = stdout);

    // Builds the sections in order. A code that is non-zero and not below
    // -3999 ends the generation with that code; a lower one (a result that
    // could not be read) is remembered, the next section follows, and it is
    // returned at the end: COMM_OK when everything was read. Every result
    // lock taken is released again.
    int Generate(int which);

    // Writes the document (see CXMLParser::Save).
    int Save(const std::string& path, bool byteOrderMark) { return document_.Save(path, byteOrderMark); }
    const CXMLParser& document() const { return document_; }

    // Codes that end the generation; lower ones (below -3999) only mark it
    // incomplete.
    static bool StopsGeneration(int code) { return code != 0 && code >= -3999; }

    // The local time as the title shows it.
    static std::string TitleTimeText(const std::tm& when);

private:
    int SensorConfiguration();
    int Statistics();
    int ActiveGroup();
    int AllResults(int which);
    int Configuration();
    int AllConfigurations();

    int ReadActiveConfig();
    int WriteResult(const StoredResult& entry, int which);
    std::string PictureName(int resultNumber) const;
    // "A1": the group's letter and the configuration's place in it; empty
    // for a configuration without a group.
    std::string GroupText(const ConfigListEntry& entry) const;
    const ConfigListEntry* EntryNamed(const std::string& label) const;
    const ConfigListEntry* ActiveEntry() const;
    std::string SlotName(const ConfigListEntry& entry) const;

    // The blocks every configuration shows; -9 when the list is too short.
    int ConfigurationBlocks(const ParameterList& list);

    SensorReader& reader_;
    std::string folder_;
    std::tm when_;
    std::FILE* trace_;
    CXMLParser document_;
    CConfigMngt configs_;
    std::vector<ConfigListEntry> slots_;  // configurations in slot order
    std::optional<ParameterList> activeConfig_;
};

}  // namespace dravik
