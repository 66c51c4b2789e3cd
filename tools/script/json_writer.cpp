#include "tools/script/json_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += (char)c;
            }
        }
    }
    return out + "\"";
}

std::string JsonFloat(float value)
{
    // JSON has no infinities or NaN: say so with a string rather than break the line.
    if (std::isnan(value))
        return "\"nan\"";
    if (std::isinf(value))
        return value > 0 ? "\"inf\"" : "\"-inf\"";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", (double)value);
    return text;
}

static std::string FieldValue(const unsigned char* at, FieldKind kind)
{
    switch (kind) {
    case FieldKind::Float: {
        float value;
        std::memcpy(&value, at, sizeof value);
        return JsonFloat(value);
    }
    case FieldKind::Byte:
        return std::to_string(*at);
    case FieldKind::Int32: {
        int32_t value;
        std::memcpy(&value, at, sizeof value);
        return std::to_string(value);
    }
    case FieldKind::UInt32: {
        uint32_t value;
        std::memcpy(&value, at, sizeof value);
        return std::to_string(value);
    }
    }
    return "null";
}

static std::size_t FieldSize(FieldKind kind)
{
    return kind == FieldKind::Byte ? 1 : 4;
}

std::string GameStateJson(const GameState& state)
{
    const unsigned char* base = reinterpret_cast<const unsigned char*>(&state);
    std::string out;
    for (int i = 0; i < gameStateFieldCount; ++i) {
        const GameStateField& field = gameStateFields[i];
        if (i)
            out += ", ";
        out += JsonString(field.name) + ": ";
        if (field.count == 1) {
            out += FieldValue(base + field.offset, field.kind);
            continue;
        }
        out += "[";
        for (int k = 0; k < field.count; ++k) {
            if (k)
                out += ", ";
            out += FieldValue(base + field.offset + k * FieldSize(field.kind), field.kind);
        }
        out += "]";
    }
    return out;
}

std::string FrameDumpLine(int frame, bool drawn, const GameState& state,
                          const std::vector<std::string>& sounds)
{
    std::string line = "{\"frame\": " + std::to_string(frame) +
                       ", \"drawn\": " + (drawn ? "true" : "false") + ", " + GameStateJson(state) +
                       ", \"sounds\": [";
    for (std::size_t i = 0; i < sounds.size(); ++i)
        line += (i ? ", " : "") + JsonString(sounds[i]);
    return line + "]}";
}
