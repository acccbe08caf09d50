#include "analysis/ParameterText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kt520::analysis {

std::string decimalText(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ec == std::errc{} ? end : buffer);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + '"';
}

std::string jsonParameters(const std::vector<Parameter>& parameters) {
    std::string out = "[";
    for (const Parameter& p : parameters) {
        if (out.size() > 1) out += ',';
        out += "{\"name\":" + jsonString(p.name) + ",\"value\":" + decimalText(p.value) +
               ",\"unit\":" + jsonString(p.unit) + ",\"standard\":" + jsonString(p.standard) + '}';
    }
    return out + ']';
}

std::string csvRow(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& f = fields[i];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f) out += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += '"';
    }
    return out;
}

std::string csvParameters(const std::vector<Parameter>& parameters) {
    std::string out = "name,value,unit,standard\r\n";
    for (const Parameter& p : parameters) {
        out += csvRow({p.name, decimalText(p.value), p.unit, p.standard}) + "\r\n";
    }
    return out;
}

}  // namespace kt520::analysis
