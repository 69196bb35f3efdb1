#include "sim/sim_config.h"

#include <cctype>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool Fail(std::string* error, const std::string& message) {
    *error = "PNPSETUP_SIM: " + message;
    return false;
}

// "all" or hexadecimal opcodes joined by '+'.
bool ParseOpcodes(const std::string& key, const std::string& value, OpcodeSet* set,
                  std::string* error) {
    if (value == "all") {
        *set = OpcodeSet::All();
        return true;
    }
    OpcodeSet parsed;
    size_t start = 0;
    while (true) {
        size_t end = value.find('+', start);
        std::string code = value.substr(start, end == std::string::npos ? end : end - start);
        std::string digits = code;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
            digits = digits.substr(2);
        bool valid = !digits.empty() && digits.size() <= 2;
        for (char c : digits)
            valid = valid && std::isxdigit(static_cast<unsigned char>(c));
        if (!valid)
            return Fail(error, "unknown opcode \"" + code + "\" for " + key +
                                   " (hexadecimal opcodes 00 to FF joined by +, or all)");
        parsed.codes.set(std::strtoul(digits.c_str(), nullptr, 16));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    *set = parsed;
    return true;
}

bool ParseSetting(const std::string& key, const std::string& value, SimConfig* config,
                  std::string* error) {
    if (key == "controller") {
        if (value == "1" || value == "4") {
            config->controller = true;
            config->productId = static_cast<USHORT>(value[0] - '0');
        } else if (value == "none") {
            config->controller = false;
        } else {
            return Fail(error, "unknown value \"" + value + "\" for controller (1, 4 or none)");
        }
        return true;
    }
    if (key == "layout") {
        const ControllerLayout* layout = FindControllerLayout(value.c_str());
        if (!layout) {
            std::string names;
            for (const ControllerLayout& known : ControllerLayouts())
                names += (names.empty() ? "" : ", ") + std::string(known.name);
            return Fail(error, "unknown layout \"" + value + "\" (" + names + ")");
        }
        config->layout = layout->id;
        return true;
    }
    if (key == "fail-send")
        return ParseOpcodes(key, value, &config->failSend, error);
    if (key == "no-answer")
        return ParseOpcodes(key, value, &config->noAnswer, error);
    if (key == "unplug-after") {
        bool valid = !value.empty() && value.size() <= 9;
        for (char c : value)
            valid = valid && std::isdigit(static_cast<unsigned char>(c));
        ULONG count = valid ? std::strtoul(value.c_str(), nullptr, 10) : 0;
        if (count == 0)
            return Fail(error, "unknown value \"" + value +
                                   "\" for unplug-after (a number of transfers, 1 or more)");
        config->unplugAfter = count;
        return true;
    }
    return Fail(error, "unknown key \"" + key +
                           "\" (controller, layout, fail-send, no-answer, unplug-after)");
}

} // namespace

bool ParseSimConfig(const char* text, SimConfig* config, std::string* error) {
    SimConfig parsed;
    std::string all = text ? text : "";
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(',', start);
        if (end == std::string::npos)
            end = all.size();
        std::string setting = Trim(all.substr(start, end - start));
        start = end + 1;
        if (setting.empty())
            continue;
        size_t equals = setting.find('=');
        if (equals == std::string::npos)
            return Fail(error, "unknown setting \"" + setting + "\" (expected key=value)");
        if (!ParseSetting(Trim(setting.substr(0, equals)), Trim(setting.substr(equals + 1)),
                          &parsed, error))
            return false;
    }
    *config = parsed;
    return true;
}
