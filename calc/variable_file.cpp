#include "calc/variable_file.h"

#include "calc/line_reader.h"
#include "engine/calculator.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// The decimal conversion of the value text: leading blanks skipped, stops at
// the first character that does not fit, 0 when nothing fits. Gives false
// for values no expression could produce.
bool parse_value(const std::string& text, double& value) {
    value = std::strtod(text.c_str(), nullptr);
    const int kind = std::fpclassify(value);
    return kind == FP_NORMAL || kind == FP_ZERO;
}

split_line_use setting_in(cal::calculator& calc) {
    return [&calc](std::string_view name, std::string_view value_text) {
        double value = 0;
        if (parse_value(std::string(value_text), value))
            calc.set_variable(std::string(name), value);
    };
}

} // namespace

std::string exact_value_text(double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

bool load_variables(const std::string& path, cal::calculator& calc) {
    return for_each_split_line(path, setting_in(calc));
}

void load_variables(std::FILE* in, cal::calculator& calc) { for_each_split_line(in, setting_in(calc)); }

bool save_variables(text_file_writer& file, const cal::calculator& calc) {
    for (const auto& [name, value] : calc.variables) {
        file.write(name);
        file.write(" = ");
        file.write(exact_value_text(value));
        file.write("\r\n");
    }
    return file.commit();
}
