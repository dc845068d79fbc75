#include "platform/posix/store_file.h"

#include <charconv>
#include <cstdio>

namespace quorrix::platform {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string hexByte(unsigned char b)
{
    static constexpr char digits[] = "0123456789abcdef";
    return { digits[b >> 4], digits[b & 0x0F] };
}

bool parseBytes(std::string_view data, std::vector<std::uint8_t>& out)
{
    while (!data.empty()) {
        if (data.size() < 2)
            return false;
        const int hi = hexDigit(data[0]);
        const int lo = hexDigit(data[1]);
        if (hi < 0 || lo < 0)
            return false;
        out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        data.remove_prefix(2);
        if (!data.empty()) {
            if (data[0] != ',')
                return false;
            data.remove_prefix(1);
        }
    }
    return true;
}

bool parseValue(std::string_view line, engine::NamedValue& out)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    const std::string_view rest = line.substr(equals + 1);
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string_view type = rest.substr(0, colon);
    const std::string_view data = rest.substr(colon + 1);
    out.name = unescapeStoreText(line.substr(0, equals));
    if (type == "sz") {
        out.value = engine::StoredValue::text(unescapeStoreText(data));
    } else if (type == "dword") {
        std::uint32_t v = 0;
        const auto r = std::from_chars(data.data(), data.data() + data.size(), v, 16);
        if (data.empty() || r.ec != std::errc() || r.ptr != data.data() + data.size())
            return false;
        out.value = engine::StoredValue::dword(v);
    } else if (type == "hex") {
        std::vector<std::uint8_t> bytes;
        if (!parseBytes(data, bytes))
            return false;
        out.value = engine::StoredValue::bytes(std::move(bytes));
    } else if (type == "other") {
        out.value = engine::StoredValue::other();
    } else {
        return false;
    }
    return true;
}

std::string formatValue(const engine::NamedValue& v)
{
    std::string line = escapeStoreText(v.name, "=[;") + "=";
    if (v.value.isText()) {
        line += "sz:" + escapeStoreText(v.value.asText(), "");
    } else if (v.value.isDword()) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(v.value.asDword()));
        line += "dword:";
        line += buffer;
    } else if (v.value.isBytes()) {
        line += "hex:";
        const auto& bytes = v.value.asBytes();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i)
                line += ',';
            line += hexByte(bytes[i]);
        }
    } else {
        line += "other:";
    }
    return line;
}

} // namespace

std::string escapeStoreText(std::string_view text, std::string_view alsoEscape)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // "[" and ";" matter only at the start of a line.
        const bool startOnly = c == '[' || c == ';';
        const bool special = c == '%' || c < 0x20 || c == 0x7F
            || (alsoEscape.find(static_cast<char>(c)) != std::string_view::npos
                && (!startOnly || i == 0));
        if (special)
            out += "%" + hexByte(c);
        else
            out += static_cast<char>(c);
    }
    return out;
}

std::string unescapeStoreText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = hexDigit(text[i + 1]);
            const int lo = hexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

StoreContent parseStoreFile(std::string_view text)
{
    StoreContent content;
    StoreKey* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || (line[0] == ';' && !current))
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            content.keys.push_back({ unescapeStoreText(line.substr(1, line.size() - 2)), {}, {} });
            current = &content.keys.back();
            continue;
        }
        if (!current)
            continue; // nothing can be kept outside a key; the title is written anew
        engine::NamedValue value;
        if (parseValue(line, value))
            current->values.push_back(std::move(value));
        else
            current->foreignLines.emplace_back(line);
    }
    return content;
}

std::string serializeStoreFile(const StoreContent& content, std::string_view title)
{
    std::string out = "; " + std::string(title) + "\n";
    for (const StoreKey& key : content.keys) {
        out += "\n[" + escapeStoreText(key.path, "]") + "]\n";
        for (const auto& v : key.values)
            out += formatValue(v) + "\n";
        for (const auto& line : key.foreignLines)
            out += line + "\n";
    }
    return out;
}

} // namespace quorrix::platform
