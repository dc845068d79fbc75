#include "support/settings_samples.h"

#include <cstring>
#include <random>

namespace quorrix::test {

using namespace engine;

Settings unusualSettings(unsigned seed)
{
    std::mt19937 random(seed);
    const std::string texts[] = {
        " leading blank",
        "trailing blank ",
        "\"quoted\"",
        "'single'",
        "a=b;c%d",
        "C:\\Zeichnungen\\Gr\xC3\xB6\xC3\x9F"
        "e \xE2\x82\xAC",
        "[not a section]",
        "; not a comment",
        "x",
        std::string(300, 'p'),
    };
    Settings s = defaultSettings();
    for (const SettingDefinition& definition : settingsSchema()) {
        const FieldRef ref = definition.field(s, definition.slot);
        switch (definition.type) {
        case FieldType::Flag:
            *std::get<std::int16_t*>(ref) = *std::get<std::int16_t*>(ref) == 0 ? kTrue : kFalse;
            break;
        case FieldType::Int:
        case FieldType::Long: {
            std::int32_t value = definition.hasRange
                ? definition.minimum
                    + static_cast<std::int32_t>(random()
                        % static_cast<unsigned>(definition.maximum - definition.minimum + 1))
                : static_cast<std::int32_t>(random() % 60000) - 30000;
            if (definition.hasRange && value == std::get<std::int32_t>(definition.defaultValue))
                value = value == definition.minimum ? definition.maximum : definition.minimum;
            if (auto* p16 = std::get_if<std::int16_t*>(&ref))
                **p16 = static_cast<std::int16_t>(value);
            else
                *std::get<std::int32_t*>(ref) = value;
            break;
        }
        case FieldType::Double: {
            std::uniform_real_distribution<double> d(-2.0, 2.0);
            const double scale[] = { 1e-7, 1e-4, 1.0, 1e3, 1e17 };
            *std::get<double*>(ref) = d(random) * scale[random() % 5];
            break;
        }
        case FieldType::String:
            *std::get<std::string*>(ref)
                = texts[random() % std::size(texts)] + std::to_string(definition.slot);
            break;
        }
    }
    // The sheet loop tests the selected set; the record keeps the two in step.
    s.selectActiveFilter();
    return s;
}

std::vector<std::string> differingSettings(const Settings& a, const Settings& b)
{
    std::vector<std::string> names;
    for (const SettingDefinition& definition : settingsSchema()) {
        const FieldRef ra = definition.field(const_cast<Settings&>(a), definition.slot);
        const FieldRef rb = definition.field(const_cast<Settings&>(b), definition.slot);
        const bool same = std::visit(
            [&](auto* pa) {
                auto* pb = std::get<decltype(pa)>(rb);
                using T = std::remove_pointer_t<decltype(pa)>;
                if constexpr (std::is_same_v<T, double>)
                    return std::memcmp(pa, pb, sizeof(double)) == 0;
                else
                    return *pa == *pb;
            },
            ra);
        if (!same)
            names.push_back(definition.name);
    }
    return names;
}

} // namespace quorrix::test
