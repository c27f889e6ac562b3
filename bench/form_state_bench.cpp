// Saving and restoring a window's state: what closing and showing a channel window pays. A form of
// about 150 components of which 40 are kept (check boxes and panels tagged -1).
#include "controls/form_state.h"
#include "toolkit/bevel.h"
#include "toolkit/check_box.h"
#include "toolkit/form.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

template <class T> T* Add(tk::TForm* form, tk::TWinControl* parent, const QString& name, int tag = 0) {
    auto* control = new T(form);
    control->SetName(name);
    control->SetTag(tag);
    control->SetParent(parent);
    return control;
}

// Four card strips, each a kept panel with a header, nine kept check boxes, scale labels and bevels.
tk::TForm* BuildForm() {
    auto* form = new tk::TForm(nullptr);
    form->SetName(QStringLiteral("frmBench"));
    int id = 0;
    const auto name = [&id](const char* prefix) { return QString::fromLatin1(prefix) + QString::number(++id); };
    for (int card = 0; card < 4; ++card) {
        auto* strip = Add<tk::TPanel>(form, form, name("pnStrip"), -1);
        Add<tk::TLabel>(form, strip, name("lbHeader"));
        for (int row = 0; row < 9; ++row) {
            Add<tk::TLabel>(form, strip, name("lbScale"));
            Add<tk::TLabel>(form, strip, name("lbUnit"));
            Add<tk::TCheckBox>(form, strip, name("chk"), -1)->SetChecked(row % 2 == 0);
            Add<tk::TBevel>(form, strip, name("bv"));
        }
    }
    return form;
}

void BM_SaveAndLoadFormState(benchmark::State& state) {
    tk::Owned<tk::TForm> form(BuildForm());
    const QString store = QStringLiteral("kova2mix.ini");
    for (auto _ : state) {
        controls::SaveFormState(form.get(), store, {}, -1, true);
        controls::LoadFormState(form.get(), store, {}, -1, true);
    }
    state.counters["components"] = form->ComponentCount();
}
BENCHMARK(BM_SaveAndLoadFormState)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string home = (std::filesystem::temp_directory_path() / "kova2-bench-XXXXXX").string();
    if (!mkdtemp(home.data())) return 1;
    setenv("KOVA2_HOME", home.c_str(), 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return 0;
}
