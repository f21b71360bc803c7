#include "platform/runtime_error.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

using platform::describe;
using platform::to_utf8;

// Every number the program raises reads as it always has: its own from its catalogue,
// those it shares with the engine in the engine's words.
TEST(RuntimeError, EveryNumberTheProgramRaisesReadsAsBefore) {
    const std::pair<int, const char*> rows[] = {
        {platform::err_invalid_call, "无效的过程调用或参数"},
        {platform::err_out_of_memory, "内存不够"},
        {platform::err_type_mismatch, "类型不匹配"},
        {platform::err_internal, "内部错误"},
        {platform::err_data_folder_in_use, "另一个正在运行的 tallix 正在使用数据文件夹 /d，本程序不会打开它"},
        {platform::link_error_no_answer, "没有外部应用程序响应 DDE 初始化"},
        {platform::link_error_refused, "外部应用程序不能执行 DDE 方法或操作"},
        {platform::link_error_timeout, "等待 DDE 响应超时"},
        {platform::link_error_no_channel, "在没有打开的 DDE 通道上调用 DDE 方法"},
        {platform::err_invalid_property_value, "无效属性值"},
        {platform::err_cannot_create_object, "ActiveX 部件不能创建对象"},
        {platform::err_control_not_found, "Control '/d' not found"},
        {4242, "无效的过程调用或参数"},
    };
    for (const auto& [number, text] : rows) {
        EXPECT_EQ(to_utf8(describe(number, u"/d")), text) << number;
        EXPECT_EQ(platform::runtime_error(number).number(), number);
    }
    EXPECT_EQ(to_utf8(platform::runtime_error(platform::err_out_of_memory).description()), "内存不够");
}

}  // namespace
