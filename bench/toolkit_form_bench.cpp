// Reading and building a form of about 150 components from its description: the cost that creating a
// channel window pays before anything is shown.
#include "toolkit/component.h"
#include "toolkit/form.h"
#include "toolkit/form_reader.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

class BenchForm : public tk::TForm {
    Q_OBJECT

public:
    explicit BenchForm(tk::TComponent* owner) : TForm(owner) {}
    Q_INVOKABLE void BoxClick(tk::TComponent*) {}
};

// Four card strips of a header, a meter panel and a fader panel, each full of labels, boxes, bevels.
QString Description() {
    QString text = QStringLiteral("object Bench: BenchForm\n  ClientWidth = 700\n  ClientHeight = 417\n"
                                  "  Font.Name = 'Arial'\n  Font.Size = 8\n");
    int id = 0;
    const auto name = [&id](const char* prefix) {
        return QString::fromLatin1(prefix) + QString::number(++id);
    };
    for (int card = 0; card < 4; ++card) {
        text += QStringLiteral("  object %1: TPanel\n    Left = %2\n    Width = 173\n    Height = 417\n"
                               "    BevelInner = bvRaised\n    BevelOuter = bvLowered\n")
                    .arg(name("pnStrip"))
                    .arg(card * 173);
        text += QStringLiteral(
                    "    object %1: TLabel\n      Left = 8\n      Top = 4\n      Caption = 'Karte #%2'\n"
                    "      Font.Style = [fsBold]\n    end\n")
                    .arg(name("lbHeader"))
                    .arg(card + 1);
        for (int section = 0; section < 3; ++section) {
            text += QStringLiteral("    object %1: TPanel\n      Align = alTop\n      Height = 120\n"
                                   "      BevelOuter = bvNone\n      Color = clBtnFace\n")
                        .arg(name("pnSection"));
            for (int row = 0; row < 5; ++row) {
                text += QStringLiteral("      object %1: TLabel\n        Left = 4\n        Top = %2\n"
                                       "        Caption = '-%3 dB'\n      end\n")
                            .arg(name("lbScale"))
                            .arg(row * 22)
                            .arg(row * 6);
                text +=
                    QStringLiteral("      object %1: TCheckBox\n        Left = 60\n        Top = %2\n"
                                   "        Width = 100\n        Tag = -1\n        Checked = True\n"
                                   "        Caption = ' Kanal %3'\n        OnClick = BoxClick\n      end\n")
                        .arg(name("chk"))
                        .arg(row * 22)
                        .arg(row + 1);
            }
            text += QStringLiteral(
                        "      object %1: TBevel\n        Left = 0\n        Top = 110\n"
                        "        Width = 169\n        Height = 9\n        Shape = bsBottomLine\n      end\n"
                        "    end\n")
                        .arg(name("bv"));
        }
        text += QStringLiteral("  end\n");
    }
    return text + QStringLiteral("end\n");
}

void BM_ReadFormOf150Components(benchmark::State& state) {
    const QString description = Description();
    int components = 0;
    for (auto _ : state) {
        tk::Owned<BenchForm> form(new BenchForm(nullptr));
        tk::ReadComponentText(form.get(), description, QStringLiteral("bench.form"));
        components = form->ComponentCount();
    }
    state.counters["components"] = components;
}
BENCHMARK(BM_ReadFormOf150Components)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "toolkit_form_bench.moc"
