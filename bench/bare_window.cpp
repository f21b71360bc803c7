// The yardstick for tools/start_bench.sh: a bare Qt window with three plain text boxes,
// what any Qt program of tallix's kind costs to start before it does anything of its own.
#include <QApplication>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    for (int i = 0; i < 3; ++i) layout->addWidget(new QPlainTextEdit(&window));
    window.resize(338, 462);
    window.show();
    return QApplication::exec();
}
