// Numbers as text, both ways: every double the program writes reads back exactly in either
// regional format, every text that reads as a number reads the same once written again,
// and every stored setting's text converts back to the same setting.

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>

#include "engine/platform/number_text.h"
#include "engine/settings/settings_schema.h"
#include "fuzz/fuzz_check.h"
#include "swsim/model/value_text.h"

using namespace quorrix;

namespace {

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void checkDouble(double value)
{
    for (const char separator : { '.', ',' }) {
        const std::string text = engine::formatDouble(value, separator);
        const auto back = engine::parseDouble(text, separator);
        FUZZ_CHECK(back && sameNumber(*back, value));
        // A file written with the other regional format still reads right.
        const auto other = engine::parseDouble(text, separator == '.' ? ',' : '.');
        FUZZ_CHECK(other && sameNumber(*other, value));
    }
    if (std::isfinite(value)) {
        const auto standIn = swsim::readDouble(engine::formatDouble(value, '.'));
        FUZZ_CHECK(standIn && *standIn == value);
    }
}

void checkText(const std::string& text, char separator)
{
    const auto number = engine::parseDouble(text, separator);
    if (number)
        checkDouble(*number);
    const auto whole32 = engine::parseInt32(text, separator);
    const auto whole16 = engine::parseInt16(text, separator);
    FUZZ_CHECK(whole32 == (number ? engine::roundToInt32(*number) : std::nullopt));
    if (whole16)
        FUZZ_CHECK(whole32 && *whole32 == *whole16);
    else if (whole32)
        FUZZ_CHECK(*whole32 < INT16_MIN || *whole32 > INT16_MAX);
    if (whole32)
        FUZZ_CHECK(engine::parseInt32(std::to_string(*whole32), separator) == whole32);

    const double leading = engine::leadingNumber(text);
    FUZZ_CHECK(!std::isnan(leading));

    if (const auto standIn = swsim::readInt32(text))
        FUZZ_CHECK(swsim::readInt32(std::to_string(*standIn)) == standIn);
}

// The text of a setting read from a file or the store converts back to that setting.
void checkSettings(const std::string& text, char separator, std::size_t pick)
{
    const auto& schema = engine::settingsSchema();
    const engine::SettingDefinition& definition = schema[pick % schema.size()];
    for (const auto source : { engine::TextSource::Registry, engine::TextSource::SettingsFile }) {
        engine::Settings settings = engine::defaultSettings();
        if (!engine::assignSetting(definition, settings, text, separator, source))
            continue;
        const std::string stored = engine::settingText(definition, settings, separator);
        engine::Settings again = engine::defaultSettings();
        FUZZ_CHECK(engine::assignSetting(definition, again, stored, separator, source));
        FUZZ_CHECK(engine::settingText(definition, again, separator) == stored);
    }
}

} // namespace

FUZZ_TARGET(bytes)
{
    FuzzedDataProvider input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    checkDouble(std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>()));
    const char separator = input.ConsumeBool() ? ',' : '.';
    const auto pick = input.ConsumeIntegral<std::uint16_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    checkText(text, separator);
    checkSettings(text, separator, pick);
}
