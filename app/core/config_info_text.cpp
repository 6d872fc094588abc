#include "core/config_info_text.h"

#include "core/exposure_steps.h"
#include "core/misc_checks.h"
#include "core/text_escape.h"
#include "text/text_codecs.h"

namespace {

std::u16string Decimal(int v) {
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

int FilterTextId(int filter) {
    if (filter >= 1 && filter <= 7) return 7144 + filter;
    return filter == 8 ? 7155 : 7144;
}

int OutputModeTextId(int mode) {
    switch (mode) {
        case 1: return 8035;
        case 3: return 8036;
        case 5: return 8037;
        case 7: return 8038;
        case 9: return 8039;
        case 11: return 8040;
        default: return 0;
    }
}

}  // namespace

ConfigInfoTexts BuildConfigInfoTexts(const ConfigInfoInput& in, const std::function<std::u16string(int)>& text) {
    ConfigInfoTexts out;
    auto& v = out.values;
    static const ConfigurationRecords kNone;
    const ConfigurationRecords& r = in.records ? *in.records : kNone;
    for (int id : {1092, 1093, 1112, 1114, 1117, 1118}) v[id] = u"";
    v[1078] = in.name;
    v[1079] = Decimal(in.configIndex + 1);
    v[1080] = in.group;
    v[1081] = text(r.imageQuality.Internal == 1 ? 7905 : 7906);
    v[1083] = text(r.imageQuality.Logarithmic == 1 ? 7908 : 7907);
    ExposureTable table;
    const int count = BuildExposureTable(table);
    v[1082] = ExposureText(table, FindExposureStep(table, count, r.imageQuality.ExposureTime), text(8612), text(8611));
    const int codeName = CMisc::GetCodeTypeStringId(r.codeDefinition.CodeType);
    v[1084] = codeName > 0 ? text(codeName) : u"";
    const int recognition = r.codeDefinition.Recognition;
    v[1085] = text(recognition == 1 ? 7411 : recognition == 2 ? 7412 : 7410);
    v[1086] = Decimal(r.codeDefinition.CodesPerImage);
    v[1110] = Decimal(r.codeDefinition.MaxDecodingDuration) + u" " + text(8611);
    v[1087] = text(FilterTextId(r.filters.Filter1));
    v[1100] = text(FilterTextId(r.filters.Filter2));
    v[1101] = text(FilterTextId(r.filters.Filter3));
    const ProcessInterfaceSettings& p = r.processInterface;
    if (in.extended) {
        // The composite choice is a list index: its text is 20006 + index.
        v[1112] = text(20006 + r.barCode.CompositeComponentUsage);
        std::u16string separator;
        Utf8ToUtf16String(separator, r.barCode.CompositeComponentSeparator);
        v[1114] = separator;
        v[1117] = text(p.StringNumerationActive ? 8042 : 8043);
        v[1118] = text(p.DigitalLinesOverProcIf ? 20003 : 20002);
    } else {
        for (int id : {1111, 1112, 1113, 1114, 1115, 1116, 1117, 1118}) out.disabled.insert(id);
    }
    auto unescaped = [](const std::string& s) {
        std::u16string wide;
        Utf8ToUtf16String(wide, s);
        return UnescapeText(wide);
    };
    if (const int mode = OutputModeTextId(p.WorkingMode); mode != 0) {
        v[1088] = text(mode);
        v[1092] = unescaped(p.MatchString);
        v[1093] = unescaped(p.ReferenceCode);
    } else {
        v[1088] = text(8051);
        for (int id : {1073, 1092, 1074, 1093}) out.disabled.insert(id);
    }
    v[1089] = unescaped(p.StartString);
    v[1090] = unescaped(p.StopString);
    v[1091] = unescaped(p.FailString);
    v[1106] = text(p.AppendOutputDescription == 1 ? 8042 : 8043);
    v[1107] = text(p.AppendConfiguration == 1 ? 8042 : 8043);
    v[1108] = text(p.AppendCodePosition == 2 ? 8046 : p.AppendCodePosition == 1 ? 8045 : 8043);
    // An image output of no known kind shows nothing, not an earlier text.
    const int image = p.AppendImageData;
    v[1109] = image == 1 || image == 5 ? text(8048) : image == 2 || image == 6 ? text(8049) : u"";
    const TriggerSettings& t = r.trigger;
    if (t.TriggerWindow == 1)
        v[1095] = text(8602) + u" : " + Decimal(t.GoodReadingsTry) + u"  " + text(8603) + u" : " +
                  Decimal(t.GoodReadingsWithinTime_value);
    else
        v[1095] = text(7820);
    switch (t.TriggerSource) {
        case 1: v[1094] = text(8607); break;
        case 2: {
            const int type = in.processInterfaceType;
            v[1094] = text(type == 0 ? 7806 : type == 2 ? 7835 : 7805);
            break;
        }
        case 3: v[1094] = text(8605); break;
        case 4: v[1094] = text(8613); break;
        default: v[1094] = text(8606); break;
    }
    return out;
}
