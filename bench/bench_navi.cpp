// One keystroke in a value box of the action dialog, all seventeen
// attributes checked: the edit runs the box's handler, which rebuilds the
// whole preview from the table. The baseline builds the same tag by plain
// string concatenation; compare the two times as a ratio.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "dialogs/naviAction/NaviActionModel.h"

namespace {

using mq::NaviAttr;

struct Values {
    std::string type = "SOFT1", task = "GOSUB", label = "メニュー", vars = "a=1&b=2",
                next = "#after", receive = "x;y", cancel = "#cancel", clear = "False",
                referer = "yes", friendly = "False", retvals = "r=1", method = "POST",
                data = "q=search", number = "0312345678", charset = "Shift_JIS", icon = "star",
                src = "images/menu.bmp";
    std::array<std::string, 2> dests{"http://example.jp/menu.hdml#top",
                                     "http://example.jp/menu.hdml#toq"};
};

void Fill(mq::NaviActionModel& m, const Values& v) {
    m.Form_Load();
    auto& s = m.attrs;
    for (const auto& info : mq::kNaviAttrs) s.Check(info.attr).SetValue(true);
    m.cboType.SetText(v.type);
    s.Combo(NaviAttr::Task).SetText(v.task);
    s.Text(NaviAttr::Label).SetText(v.label);
    s.Text(NaviAttr::Dest).SetText(v.dests[0]);
    s.Text(NaviAttr::Vars).SetText(v.vars);
    s.Text(NaviAttr::Next).SetText(v.next);
    s.Text(NaviAttr::Receive).SetText(v.receive);
    s.Text(NaviAttr::Cancel).SetText(v.cancel);
    s.Combo(NaviAttr::Clear).SetListIndex(1);
    s.Text(NaviAttr::SendReferer).SetText(v.referer);
    s.Combo(NaviAttr::Friend).SetListIndex(1);
    s.Text(NaviAttr::Retvals).SetText(v.retvals);
    s.Combo(NaviAttr::PostMethod).SetListIndex(1);
    s.Text(NaviAttr::PostData).SetText(v.data);
    s.Text(NaviAttr::Number).SetText(v.number);
    s.Text(NaviAttr::AcceptCharset).SetText(v.charset);
    m.chkIcon.SetValue(true);
    m.txtIcon.SetText(v.icon);
    m.chkSrc.SetValue(true);
    m.txtSrc.SetText(v.src);
}

std::string Concatenate(const Values& v, const std::string& dest) {
    return "<ACTION TYPE=\"" + v.type + "\" TASK=\"" + v.task + "\" REL=\"NEXT\" DEST=\"" + dest +
           "\" LABEL=\"" + v.label + "\" VARS=\"" + v.vars + "\" NEXT=\"" + v.next +
           "\" RECEIVE=\"" + v.receive + "\" CANCEL=\"" + v.cancel + "\" CLEAR=\"" + v.clear +
           "\" SENDREFERER=\"" + v.referer + "\" FRIEND=\"" + v.friendly + "\" RETVALS=\"" +
           v.retvals + "\" POSTMETHOD=\"" + v.method + "\" POSTDATA=\"" + v.data +
           "\" NUMBER=\"" + v.number + "\" ACCEPTCHARSET=\"" + v.charset + "\" ICON=\"" + v.icon +
           "\" SRC=\"" + v.src + "\">";
}

void BM_ActionKeystrokeToPreview(benchmark::State& state) {
    const Values v;
    mq::NaviActionModel m;
    Fill(m, v);
    if (m.txtEd.Text() != Concatenate(v, v.dests[0])) state.SkipWithError("the two tags differ");
    auto& dest = m.attrs.Text(NaviAttr::Dest);
    std::size_t i = 0;
    for (auto _ : state) {
        dest.SetText(v.dests[++i & 1]);
        benchmark::DoNotOptimize(m.txtEd.Text().data());
    }
}
BENCHMARK(BM_ActionKeystrokeToPreview);

void BM_ActionPlainConcatenation(benchmark::State& state) {
    const Values v;
    std::size_t i = 0;
    for (auto _ : state) {
        std::string tag = Concatenate(v, v.dests[++i & 1]);
        benchmark::DoNotOptimize(tag.data());
    }
}
BENCHMARK(BM_ActionPlainConcatenation);

}  // namespace
