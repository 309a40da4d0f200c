// Renders the paper list editor with a few papers into a PNG, in Japanese: paper_picture OUT.png

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QLocale>
#include <QPixmap>
#include <cstdio>
#include <cstring>

#include "config/TRZN_Paper.h"
#include "platform/translation.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setFont(QFont("Noto Sans CJK JP", 10));
    InstallTranslations(app, QLocale(QLocale::Japanese));

    TPrPaper list{};
    const struct {
        const char* name;
        int16_t width, height, roll;
    } papers[] = {{"A4", 595, 842, 0},
                  {"A3", 842, 1191, 0},
                  {"B4 (JIS)", 729, 1032, 0},
                  {"\x83\x8D\x81\x5B\x83\x8B 610mm", 1729, 2835, 1},  // ロール 610mm
                  {"A1", 1684, 2384, 0}};
    for (const auto& p : papers) {
        TPrPaperItem& item = list.pitem[list.pitem_count++];
        std::strncpy(item.pname, p.name, sizeof item.pname - 1);
        item.pwidth = p.width;
        item.pheight = p.height;
        item.pisroll = p.roll;
    }
    TRZN_Paper editor;
    editor.setTHPrPaper(&list, 1);
    QDialog* panel = editor.panel();
    panel->adjustSize();
    panel->show();
    QApplication::processEvents();
    return panel->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
