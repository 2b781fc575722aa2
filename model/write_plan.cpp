#include "write_plan.h"

#include "command_text.h"
#include "grid_text.h"
#include "menu_fields.h"
#include "startup_image.h"

#include <map>

namespace zem {

// The differences are found once, by the comparison `diff` uses, and taken by their labels: each
// label names one row, VFO, setting or DTMF memory.
std::vector<PlanItem> PlanItems(const RadioImage& radio, const RadioImage& wanted, const WriteMask& parts) {
    std::map<std::string, std::vector<FieldChange>> changes;
    for (RowDifference& row : DiffImages(radio, wanted, {.memo = false}))
        changes[row.label] = std::move(row.fields);
    std::vector<PlanItem> items;
    const auto add = [&](PlanItem::Kind kind, std::size_t index, const std::string& label) {
        const auto found = changes.find(label);
        items.push_back({kind, index, found == changes.end() ? std::vector<FieldChange>{} : found->second});
    };
    for (std::size_t row = 0; row < kChannelRows; ++row)
        if (parts.channels[row])
            add(PlanItem::Kind::Channel, row, RowLabel(row));
    for (std::size_t v = 0; v < kVfoCount; ++v)
        if (parts.vfos[v])
            add(PlanItem::Kind::Vfo, v, std::string(VfoTableFacts()[v].label));
    for (const SettingsPart& part : SettingsOrder()) {
        if (part.IsDtmf() && parts.dtmf[part.dtmf])
            add(PlanItem::Kind::Dtmf, part.dtmf, "DTMF " + std::to_string(part.dtmf));
        else if (!part.IsDtmf() && parts.settings[part.field])
            add(PlanItem::Kind::Setting, part.field, std::string(MenuFields()[part.field].name));
    }
    return items;
}

std::string PlanItemName(const PlanItem& item) {
    switch (item.kind) {
    case PlanItem::Kind::Channel: {
        const std::string label = RowLabel(item.index);
        return item.index < kNumberedChannels ? std::string(3 - label.size(), '0') + label : label;
    }
    case PlanItem::Kind::Vfo:
        return std::to_string(item.index + 1) + " (" + std::string(VfoTableFacts()[item.index].label) + ")";
    case PlanItem::Kind::Setting:
        return std::string(MenuFields()[item.index].name);
    case PlanItem::Kind::Dtmf:
        return std::to_string(item.index);
    }
    return {};
}

std::string PlanLine(const PlanItem& item, const PlanKindWords& words) {
    std::string line = std::string(words[static_cast<std::size_t>(item.kind)]) + ' ' + PlanItemName(item);
    if (item.kind == PlanItem::Kind::Vfo || item.kind == PlanItem::Kind::Dtmf)
        return line;
    const bool quoted = item.kind == PlanItem::Kind::Setting;
    const auto text = [&](const std::string& t) { return quoted ? '"' + t + '"' : t; };
    std::string separator = ": ";
    for (const FieldChange& field : item.fields) {
        line += separator;
        separator = ", ";
        // The receive frequency is what the grid shows first: it goes without its heading.
        if (!field.name.empty() && field.name != MemoryColumns()[0].heading)
            line += field.name + ": ";
        line += text(field.before) + " → " + text(field.after);
    }
    return line;
}

} // namespace zem
