#include "app/calc_design.h"

namespace app {

namespace {

// Its character set, GB2312, is what the substitution of an installed CJK font for this
// face provides (platform/qt/qt_widget_style.cpp).
const platform::font_spec ui_font{u"微软雅黑", 9, 400};

template <class Control>
platform::control_design control(platform::control_id<Control> id, platform::twips_rect r, int tab,
                                 const char16_t* accessible = u"") {
    platform::control_design d;
    d.name = id.name;
    d.kind = Control::kind;
    d.rect = r;
    d.tab_index = tab;
    d.accessible_name = accessible;
    return d;
}

// The button column: one left edge and one size. A screen reader hears the caption and
// what the button does.
platform::control_design button(platform::control_id<platform::button> id, const char16_t* caption, int top, int tab,
                                const char16_t* does) {
    platform::control_design d = control(id, {6630, top, 480, 360}, tab, caption);
    d.caption = caption;
    d.accessible_description = does;
    return d;
}

platform::form_design make_calc_design() {
    using namespace calc_controls;
    platform::form_design f;
    f.name = "calc";
    f.caption = u"morvane自由计算器";
    f.frame = platform::frame_style::sizable_tool;
    f.client_width = 7095;
    f.client_height = 5520;
    f.font = ui_font;
    f.topmost = true;
    f.use_program_icon = true;

    auto result = control(Text_re, {0, 15, 6615, 855}, 1, u"结果");
    result.back_color = platform::rgb{224, 224, 224};
    result.fore_color = platform::rgb{0, 0, 0};
    result.font = platform::font_spec{u"Arial", 12, 400};
    // So that no settings file tallix writes grows past what it reads back.
    result.max_length = max_formula_length;
    f.controls.push_back(result);
    auto formula = control(Text_calc, {0, 870, 6615, 1815}, 2, u"公式");
    formula.max_length = max_formula_length;
    f.controls.push_back(formula);
    f.controls.push_back(control(Text_temp1, {0, 2865, 6615, 2295}, 3, u"历史记录"));

    auto tip = control(Label_tip, {-15, 5190, 6615, 300}, 6);
    tip.fore_color = platform::rgb{255, 128, 0};
    tip.describes = Text_calc.name;
    f.controls.push_back(tip);

    f.controls.push_back(button(Command_addkuohao, u"()", 15, 7, u"给选中的部分加括号，或在公式末尾加一对括号"));
    f.controls.push_back(button(Command_addkuohaopi, u"<>", 390, 8, u"在公式末尾加角度括号，在括号里输入角度"));
    f.controls.push_back(button(Command_lifang, u"^()", 750, 10, u"在公式末尾加乘方，在括号里输入指数"));
    f.controls.push_back(button(Command_sin, u"sin", 1215, 11, u"在公式末尾加正弦函数 sin"));
    f.controls.push_back(button(Command_cos, u"cos", 1575, 12, u"在公式末尾加余弦函数 cos"));
    f.controls.push_back(button(Command_tan, u"tan", 1935, 13, u"在公式末尾加正切函数 tan"));
    f.controls.push_back(button(Command_cot, u"cot", 2295, 14, u"在公式末尾加余切 (1/tan)"));
    f.controls.push_back(button(Command_e, u"C", 2850, 15, u"清除公式和结果"));
    f.controls.push_back(button(Command_r, u"R", 3225, 16, u"把公式和结果记入历史"));
    f.controls.push_back(button(Command_jia, u"+", 3780, 17, u"在公式末尾加加号"));
    f.controls.push_back(button(Command_jian, u"-", 4140, 18, u"在公式末尾加减号"));
    f.controls.push_back(button(Command_cheng, u"*", 4485, 19, u"在公式末尾加乘号"));
    f.controls.push_back(button(Command_chu, u"/", 4845, 20, u"在公式末尾加除号"));

    auto icon = control(Picture_show, {6585, 4860, 800, 800}, 9, u"图标");
    icon.accessible_description = u"双击或按回车键打开说明";
    f.controls.push_back(icon);
    auto dde = control(picDDE, {8820, 3570, 375, 375}, 0);
    dde.visible = false;
    f.controls.push_back(dde);

    f.timers = {{Timer_alltop.name, 1000, true},
                {Timer_save.name, 60000, true},
                {tmrCheck.name, 50, false},
                {tmrMove.name, 1, false}};
    return f;
}

platform::form_design make_form1_design() {
    platform::form_design f;
    f.name = "Form1";
    f.caption = u"help";
    f.frame = platform::frame_style::fixed_tool;
    f.client_width = 5070;
    f.client_height = 6930;
    f.font = ui_font;
    auto text = control(form1_controls::Text_tip, {0, 0, 5055, 6855}, 0, u"说明");
    text.read_only = true;
    f.controls.push_back(text);
    return f;
}

}  // namespace

const platform::form_design& calc_design() {
    static const platform::form_design design = make_calc_design();
    return design;
}

const platform::form_design& form1_design() {
    static const platform::form_design design = make_form1_design();
    return design;
}

}  // namespace app
