#include "platform/runtime_error.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>
#include <optional>

#include "platform/text.h"
#include "vbscript/messages.h"

namespace platform {

namespace {

struct message {
    int number;
    std::u16string_view text;  // "{}" stands for the detail
};

// The program's own messages, sorted by number for the binary search.
constexpr std::array<message, 9> catalogue{{
    {err_internal, u"内部错误"},
    {err_data_folder_in_use, u"另一个正在运行的 tallix 正在使用数据文件夹 {}，本程序不会打开它"},
    {link_error_no_answer, u"没有外部应用程序响应 DDE 初始化"},
    {link_error_refused, u"外部应用程序不能执行 DDE 方法或操作"},
    {link_error_timeout, u"等待 DDE 响应超时"},
    {link_error_no_channel, u"在没有打开的 DDE 通道上调用 DDE 方法"},
    {err_invalid_property_value, u"无效属性值"},
    {err_cannot_create_object, u"ActiveX 部件不能创建对象"},
    {err_control_not_found, u"Control '{}' not found"},
}};

static_assert(std::is_sorted(catalogue.begin(), catalogue.end(),
                             [](const message& a, const message& b) { return a.number < b.number; }));

// The program's own text of a number, else the engine's.
std::optional<std::u16string_view> text_for(int number) {
    const auto it = std::lower_bound(catalogue.begin(), catalogue.end(), number,
                                     [](const message& m, int n) { return m.number < n; });
    if (it != catalogue.end() && it->number == number) return it->text;
    return vbscript::catalogue_text(number);
}

}  // namespace

runtime_error::runtime_error(int number) : runtime_error(number, describe(number)) {}

runtime_error::runtime_error(int number, std::u16string description)
    : std::runtime_error("run-time error " + std::to_string(number)),
      number_(number),
      description_(std::move(description)) {}

std::u16string describe(int number, std::u16string_view detail) {
    const std::optional<std::u16string_view> known = text_for(number);
    if (!known) return describe(err_invalid_call);
    const std::u16string_view text = *known;
    const auto at = text.find(u"{}");
    if (at == std::u16string_view::npos) return std::u16string(text);
    return std::u16string(text.substr(0, at)).append(detail).append(text.substr(at + 2));
}

void raise(int number, std::u16string_view detail) { throw runtime_error(number, describe(number, detail)); }

runtime_error current_error() {
    try {
        throw;
    } catch (const runtime_error& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return runtime_error(err_out_of_memory);
    } catch (const std::exception& e) {
        return runtime_error(err_internal, describe(err_internal) + u": " + to_u16(e.what()));
    } catch (...) {
        return runtime_error(err_internal);
    }
}

std::u16string runtime_error_report(int number, const std::u16string& description) {
    return u"Run-time error '" + to_u16(std::to_string(number)) + u"':\r\n\r\n" + description;
}

}  // namespace platform
