// The floor of what this content costs: the main window's content written the
// plainest way with Qt (a shaped frameless window, 18 labels, 4 editable lists,
// 6 option buttons, 3 frames, 2 shapes, 3 buttons, 14 pictures as pixels
// decoded in advance, the same two faces and sizes), ended after its first
// paint. It shares nothing of the program's code but its pixels. With
// QUORVEL_STARTUP_LANGUAGE=2 its texts are Japanese, in the Japanese face at
// 9.75 points, as the program's are with Japanese stored.
#include "first_paint.h"

#include <QApplication>
#include <QBitmap>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResource>
#include <QToolButton>

namespace {

// The program's pixels of a picture, premultiplied, as embedded.
QImage Pixels(const char* picture, QSize size)
{
    const QResource data(QStringLiteral(":/quorvel/raster/%1-%2x%3.raw")
                             .arg(QLatin1String(picture)).arg(size.width()).arg(size.height()));
    return QImage(data.data(), size.width(), size.height(), QImage::Format_ARGB32_Premultiplied);
}

QLabel* Picture(QWidget* parent, const char* picture, QRect where)
{
    auto* label = new QLabel(parent);
    label->setGeometry(where);
    label->setPixmap(QPixmap::fromImage(Pixels(picture, where.size())));
    return label;
}

QFont Face(const char* family, qreal points, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace

int main(int argc, char* argv[])
{
    int status = 0;
    {
        QApplication app(argc, argv);
        const bool japanese = qgetenv("QUORVEL_STARTUP_LANGUAGE") == "2";
        auto text = [japanese](const char* designed, const char* inJapanese) {
            return QString::fromUtf8(japanese ? inJapanese : designed);
        };
        QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
        QFont::insertSubstitutions("MS UI Gothic", {"IPAPGothic", "IPAGothic"});
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setFixedSize(432, 431);
        window.setFont(Face("MS Sans Serif", 8.25, false));
        QLabel* skin = Picture(&window, "skin", {0, 0, 430, 430});
        window.setMask(skin->pixmap().createMaskFromColor(Qt::transparent));

        new QFrame(skin);
        new QFrame(skin);
        auto* garments = new QFrame(skin);
        garments->setGeometry(88, 120, 169, 57);
        auto* shoes = new QFrame(skin);
        shoes->setGeometry(256, 120, 81, 57);
        auto* sex = new QGroupBox(text("Sexe", "性別"), skin);
        sex->setGeometry(120, 40, 185, 33);
        new QRadioButton(text("Homme", "男"), sex);
        new QRadioButton(text("Femme", "女"), sex);
        for (int k : {0, 2, 3})
            (new QRadioButton(garments))->move(8 + 80 * (k == 0 ? 0 : k - 1), 24);
        (new QRadioButton(shoes))->move(64, 24);
        Picture(garments, "dress", {32, 0, 49, 57});
        Picture(garments, "shirt", {104, 0, 49, 49});
        Picture(garments, "trousers", {184, 0, 49, 49});
        Picture(shoes, "boots", {16, 0, 49, 49});
        Picture(skin, "suit", {24, 248, 23, 40});
        Picture(skin, "trainers", {32, 280, 32, 32});
        Picture(skin, "logo", {152, 304, 121, 105});
        const char* const flags[] = {"flag-uk", "flag-jp", "flag-fr", "flag-us", "flag-de", "flag-it", "flag-au"};
        for (int i = 0; i < 7; ++i) {
            Picture(skin, flags[i], {64 + 49 * i, 224, 33, 25});
            for (int row : {256, 280}) {
                auto* cell = new QLabel("0", skin);
                cell->setGeometry(56 + 49 * i, row, 49, 17);
                cell->setFont(Face("MS Sans Serif", 9.75, true));
            }
        }
        for (auto [text, where, font] : {std::tuple{QString("Quorvel"), QRect(152, 24, 121, 17), Face("MS UI Gothic", 8.25, true)},
                                         {text("Votre pays ?", "国選択"), QRect(136, 72, 153, 17), Face("MS Sans Serif", 9.75, false)},
                                         {"Option", QRect(328, 104, 41, 17), Face("MS Sans Serif", 8.25, true)},
                                         {"Exit", QRect(368, 176, 41, 17), Face("MS Sans Serif", 8.25, true)}}) {
            auto* label = new QLabel(text, skin);
            label->setGeometry(where);
            label->setFont(font);
        }
        for (QRect where : {QRect(120, 96, 185, 21), QRect(88, 176, 73, 21), QRect(176, 176, 73, 21), QRect(264, 176, 73, 21)}) {
            auto* list = new QComboBox(skin);
            list->setEditable(true);
            list->setGeometry(where);
        }
        auto* see = new QPushButton(text("Voir", "サイズを見る"), skin);
        see->setGeometry(136, 200, 161, 25);
        see->setFont(Face("MS Sans Serif", 12, true));
        see->setEnabled(false);
        auto* tool = new QToolButton(skin);
        tool->setGeometry(328, 72, 33, 33);
        tool->setIcon(QPixmap::fromImage(Pixels("tool", {31, 31})));
        auto* exit = new QPushButton("X", skin);
        exit->setGeometry(368, 144, 25, 29);
        exit->setFont(Face("MS UI Gothic", 9.75, true));

        if (japanese)
            for (QWidget* control : window.findChildren<QWidget*>()) {
                QFont font = control->font();
                font.setFamily("MS UI Gothic");
                font.setPointSizeF(9.75);
                control->setFont(font);
            }
        new QuitAfterFirstPaint(&window);
        window.show();
        status = QApplication::exec();
    }
    ReportPeakMemory();
    return status;
}
