// Draws the program's artwork: the ten head pictures (five stages of hair loss for a male and a
// female head), their 2x variants, the program icon in every size and the Windows icon file.
// The output depends on nothing but this code, so running it again gives identical files.

#include <QBuffer>
#include <QCommandLineParser>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSvgGenerator>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

enum class Set { Male, Female };

// Every head is drawn in a 195 x 111 scene; larger pictures centre that scene.
constexpr qreal SceneW = 195, SceneH = 111;
constexpr qreal Cx = SceneW / 2;          // vertical axis of the face
constexpr qreal SkullTop = 17, Chin = 87; // crown of the skull and tip of the chin
constexpr qreal HalfW = 30;               // half the width of the skull

const QColor Skin(0xF4, 0xCB, 0xA2), SkinLine(0xB8, 0x7D, 0x58), Cheek(0xF0, 0x8A, 0x8A, 90);

struct Look {
    QColor hair, hairLine, shirt, shirtLine;
};

Look lookFor(Set set)
{
    if (set == Set::Male)
        return {QColor(0x4B, 0x33, 0x24), QColor(0x2E, 0x1E, 0x14), QColor(0x3F, 0x9A, 0x92),
                QColor(0x2A, 0x6E, 0x68)};
    return {QColor(0x8A, 0x4E, 0x2A), QColor(0x5C, 0x31, 0x18), QColor(0xD8, 0x6B, 0x8E),
            QColor(0xA8, 0x48, 0x68)};
}

// How the hair on top looks at each stage. Heights are scene y coordinates.
struct Stage {
    qreal volume;    // how far the hair rises above the skull
    qreal centreY;   // hairline at the middle of the forehead
    qreal templeY;   // hairline above the temples
    qreal sideTop;   // where the hair at the sides ends upwards
    qreal scalpShow; // 0: crown fully covered .. 1: bare scalp on the crown
    int strands;     // loose hairs drawn over the crown
};

const Stage Stages[5] = {
    {7.0, 35, 37, 36, 0.0, 0}, {6.0, 33, 27, 34, 0.0, 0}, {2.0, 31, 24, 32, 0.5, 13},
    {0.0, 0, 0, 30, 0.0, 6},   {0.0, 0, 0, 40, 0.0, 0},
};

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QPointF at(qreal dx, qreal y)
{
    return {Cx + dx, y};
}

// A closed outline symmetric about the face axis: `right` runs from a point on the axis down
// the right-hand side and back to the axis; the left-hand side is its mirror image.
QPainterPath symmetric(qreal startY, const std::vector<std::array<QPointF, 3>> &right)
{
    QPainterPath p(at(0, startY));
    for (const auto &s : right)
        p.cubicTo(at(s[0].x(), s[0].y()), at(s[1].x(), s[1].y()), at(s[2].x(), s[2].y()));
    for (auto i = right.size(); i-- > 0;) {
        const QPointF from = i > 0 ? right[i - 1][2] : QPointF(0, startY);
        p.cubicTo(at(-right[i][1].x(), right[i][1].y()), at(-right[i][0].x(), right[i][0].y()),
                  at(-from.x(), from.y()));
    }
    p.closeSubpath();
    return p;
}

QPainterPath headOutline()
{
    return symmetric(SkullTop,
                     {{QPointF(19, SkullTop), QPointF(HalfW, SkullTop + 12), QPointF(HalfW, 46)},
                      {QPointF(HalfW, 64), QPointF(HalfW - 5, 76), QPointF(14, 82)},
                      {QPointF(8, 86), QPointF(4, Chin), QPointF(0, Chin)}});
}

void fillAndLine(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &line,
                 qreal width = 1.1)
{
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void stroke(QPainter &p, const QPainterPath &path, const QColor &color, qreal width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void paintBackground(QPainter &p, QSizeF size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0xF8, 0xF9, 0xFF));
    sky.setColorAt(1, QColor(0xDC, 0xE2, 0xFA));
    p.fillRect(QRectF(QPointF(0, 0), size), sky);
    QRadialGradient glow(QPointF(size.width() / 2, size.height() * 0.45), size.height() * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 220));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(QPointF(0, 0), size), glow);
}

void paintBody(QPainter &p, const Look &look)
{
    fillAndLine(p,
                symmetric(92, {{QPointF(30, 92), QPointF(56, 96), QPointF(62, 112)},
                               {QPointF(64, 120), QPointF(64, 130), QPointF(0, 130)}}),
                look.shirt, look.shirtLine);
    QPainterPath neck(at(-11, 70));
    neck.lineTo(at(-11, 94));
    neck.quadTo(at(0, 104), at(11, 94));
    neck.lineTo(at(11, 70));
    fillAndLine(p, neck, Skin.darker(108), SkinLine);
}

// Long hair falling behind the head to the shoulders; with a bald top it starts at the sides.
void paintBackHair(QPainter &p, const Look &look, const Stage &st)
{
    using Seg = std::array<QPointF, 3>;
    const qreal top = st.volume > 0 ? SkullTop - st.volume - 1 : 60;
    std::vector<Seg> right;
    if (st.volume > 0) {
        right.push_back({QPointF(24, top), QPointF(HalfW + 9, 24), QPointF(HalfW + 9, 46)});
    } else {
        right.push_back(
            {QPointF(8, 50), QPointF(HalfW - 6, st.sideTop), QPointF(HalfW - 2, st.sideTop - 1)});
        right.push_back({QPointF(HalfW + 5, st.sideTop - 1), QPointF(HalfW + 9, st.sideTop + 5),
                         QPointF(HalfW + 9, 50)});
    }
    right.push_back({QPointF(HalfW + 9, 70), QPointF(HalfW + 15, 86), QPointF(HalfW + 13, 100)});
    right.push_back({QPointF(HalfW + 8, 104), QPointF(HalfW + 2, 98), QPointF(HalfW - 4, 102)});
    right.push_back({QPointF(10, 96), QPointF(8, 80), QPointF(0, 80)});
    fillAndLine(p, symmetric(top, right), look.hair, look.hairLine);
    for (int side : {-1, 1}) {
        QPainterPath lock(at(side * (HalfW + 5), 58));
        lock.quadTo(at(side * (HalfW + 10), 80), at(side * (HalfW + 8), 97));
        stroke(p, lock, look.hairLine, 0.8);
    }
}

void paintEars(QPainter &p, Set set)
{
    for (int side : {-1, 1}) {
        QPainterPath ear;
        ear.addEllipse(at(side * (HalfW + 1), 56), 5, 8);
        fillAndLine(p, ear, Skin, SkinLine);
        QPainterPath inner(at(side * (HalfW + 2.5), 51));
        inner.quadTo(at(side * (HalfW + 0.5), 56), at(side * (HalfW + 2.5), 61));
        stroke(p, inner, SkinLine, 0.9);
        if (set == Set::Female) {
            p.setPen(QPen(QColor(0xC8, 0x96, 0x1E), 0.8));
            p.setBrush(QColor(0xF2, 0xC8, 0x40));
            p.drawEllipse(at(side * (HalfW + 1), 66.5), 2, 2);
        }
    }
}

void paintFace(QPainter &p, const Look &look, Set set)
{
    const QColor eye(0x3A, 0x2A, 0x22);
    for (int side : {-1, 1}) {
        p.setPen(Qt::NoPen);
        p.setBrush(eye);
        p.drawEllipse(at(side * 11, 53), 2.7, 3.3);
        p.setBrush(Qt::white);
        p.drawEllipse(at(side * 11 + 0.9, 51.8), 0.9, 0.9);
        p.setBrush(Cheek);
        p.drawEllipse(at(side * 18, 64), 4.5, 2.8);
        QPainterPath brow(at(side * 6, 45.5));
        brow.quadTo(at(side * 11, 42.5), at(side * 16, 45));
        stroke(p, brow, look.hairLine, 1.6);
        if (set == Set::Female) {
            QPainterPath lash(at(side * 13.2, 51));
            lash.lineTo(at(side * 15.6, 49.4));
            stroke(p, lash, eye, 1.0);
        }
    }
    QPainterPath nose(at(-2.2, 62));
    nose.quadTo(at(0, 64.6), at(2.2, 62));
    stroke(p, nose, SkinLine, 1.1);
    QPainterPath mouth(at(-7, 69.5));
    mouth.quadTo(at(0, 76.5), at(7, 69.5));
    if (set == Set::Female) {
        mouth.quadTo(at(0, 72), at(-7, 69.5));
        fillAndLine(p, mouth, QColor(0xD8, 0x5C, 0x78), QColor(0xA8, 0x3C, 0x58), 0.9);
    } else {
        stroke(p, mouth, QColor(0x8A, 0x4B, 0x3A), 1.4);
    }
}

// Hair over the temples and behind the ears, which stays at every stage.
void paintSideHair(QPainter &p, const Look &look, const Stage &st)
{
    for (int side : {-1, 1}) {
        QPainterPath piece(at(side * (HalfW - 5), st.sideTop + 3));
        piece.quadTo(at(side * (HalfW - 1), st.sideTop - 2),
                     at(side * (HalfW + 3), st.sideTop + 2));
        piece.cubicTo(at(side * (HalfW + 7.5), st.sideTop + 8), at(side * (HalfW + 8), 62),
                      at(side * (HalfW + 5), 68));
        piece.cubicTo(at(side * (HalfW + 2), 72), at(side * (HalfW - 2), 66),
                      at(side * (HalfW - 2.5), 58));
        piece.cubicTo(at(side * (HalfW - 3), 50), at(side * (HalfW - 5), st.sideTop + 8),
                      at(side * (HalfW - 5), st.sideTop + 3));
        fillAndLine(p, piece, look.hair, look.hairLine, 1.0);
    }
}

// Loose hairs over a bare crown: start, control and end point of each, relative to the crown.
const qreal Wisps[][6] = {
    {-20, 12, -12, -2, -1, 0}, {-14, 9, -6, -1, 6, 2},  {-6, 10, 2, 2, 12, 6},
    {3, 8, 10, 0, 18, 7},      {-10, 4, -4, -3, 3, -2}, {-2, 14, 0, 8, 4, 10},
};

// The hair on top: a full mass down to the hairline (stages 0-2), thinned on the crown, or only
// a few loose hairs across a bare scalp.
void paintTopHair(QPainter &p, const Look &look, const Stage &st, Set set)
{
    const QPainterPath head = headOutline();
    if (st.volume == 0) {
        if (st.strands > 0) {
            QRadialGradient haze(at(0, SkullTop + 6), 24);
            haze.setColorAt(0, withAlpha(look.hair, 45));
            haze.setColorAt(1, withAlpha(look.hair, 0));
            p.save();
            p.setClipPath(head);
            p.fillRect(QRectF(Cx - 30, 0, 60, 50), haze);
            p.restore();
        }
        for (int i = 0; i < std::min<int>(st.strands, std::size(Wisps)); ++i) {
            const auto &w = Wisps[i];
            QPainterPath wisp(at(w[0], SkullTop + w[1]));
            wisp.quadTo(at(w[2], SkullTop + w[3]), at(w[4], SkullTop + w[5]));
            stroke(p, wisp, look.hair, 1.0);
        }
        QPainterPath shine(at(-16, SkullTop + 13));
        shine.quadTo(at(-12, SkullTop + 4), at(-3, SkullTop + 3));
        stroke(p, shine, QColor(255, 255, 255, st.strands > 0 ? 120 : 210), 2.6);
        return;
    }
    const qreal top = SkullTop - st.volume;
    const qreal w = HalfW + 2 + st.volume * 0.3;
    const QPainterPath mass = symmetric(
        top, {{QPointF(22, top), QPointF(w, SkullTop + 8), QPointF(w, 44)},
              {QPointF(HalfW - 1, 44), QPointF(HalfW - 3, st.sideTop + 2),
               QPointF(HalfW - 3, st.sideTop)},
              {QPointF(HalfW - 5, st.templeY), QPointF(23, st.templeY), QPointF(17, st.templeY)},
              {QPointF(9, st.templeY), QPointF(6, st.centreY), QPointF(0, st.centreY)}});
    if (set == Set::Male && st.centreY > 33) {
        // A fringe with a few locks falling onto the forehead.
        for (qreal x : {-12.0, -2.0, 8.0}) {
            QPainterPath tip(at(x + 5, st.centreY - 3));
            tip.quadTo(at(x + 1, st.centreY + 1), at(x - 4, st.centreY + 4.5));
            tip.quadTo(at(x - 3, st.centreY), at(x - 4, st.centreY - 3));
            fillAndLine(p, tip, look.hair, look.hairLine, 1.0);
        }
    }
    if (st.scalpShow > 0) {
        // Thin hair: the scalp shows through the crown.
        QRadialGradient thin(at(0, SkullTop + 2), 26);
        const QColor thinned = withAlpha(look.hair, qRound(255 * (1 - st.scalpShow)));
        thin.setColorAt(0, thinned);
        thin.setColorAt(0.45, thinned);
        thin.setColorAt(1, look.hair);
        p.setPen(Qt::NoPen);
        p.setBrush(look.hair);
        p.drawPath(mass.subtracted(head));
        p.setBrush(thin);
        p.drawPath(mass.intersected(head));
        stroke(p, mass, withAlpha(look.hairLine, 110), 0.9);
    } else {
        fillAndLine(p, mass, look.hair, look.hairLine);
    }
    p.save();
    p.setClipPath(mass);
    const QColor gloss = look.hair.lighter(135);
    if (set == Set::Female) {
        for (int side : {-1, 1})
            for (int i = 0; i < 3; ++i) {
                QPainterPath lock(at(side * 1.5, top + 1));
                lock.cubicTo(at(side * (6 + i * 4), top + 3), at(side * (12 + i * 5), SkullTop + 6),
                             at(side * (15 + i * 5), st.templeY + 2));
                stroke(p, lock, st.scalpShow > 0 ? look.hair : gloss, 0.8);
            }
        QPainterPath part(at(0, top));
        part.lineTo(at(0, st.centreY - 2));
        stroke(p, part, look.hairLine, 1.0);
    } else {
        for (int i = 0; i < 4; ++i) {
            QPainterPath lock(at(-14 + i * 6, top + 5));
            lock.quadTo(at(-10 + i * 5, SkullTop + 4), at(-9 + i * 5, st.centreY - 4));
            stroke(p, lock, gloss, 0.8);
        }
    }
    for (int i = 0; i < st.strands; ++i) {
        const qreal t = -1 + 2 * (i + 0.5) / st.strands;
        QPainterPath strand(at(t * 20, st.centreY + std::abs(t) * (st.templeY - st.centreY)));
        strand.cubicTo(at(t * 16 + 3, SkullTop + 6), at(t * 12 + 2, SkullTop + 1),
                       at(t * 8 + 5, top - 1));
        stroke(p, strand, look.hair, 0.85);
    }
    p.restore();
}

void paintHead(QPainter &p, int stage, Set set)
{
    const Look look = lookFor(set);
    const Stage &st = Stages[stage];
    if (set == Set::Female)
        paintBackHair(p, look, st);
    paintBody(p, look);
    fillAndLine(p, headOutline(), Skin, SkinLine);
    paintSideHair(p, look, st);
    paintEars(p, set);
    paintFace(p, look, set);
    paintTopHair(p, look, st, set);
}

QImage renderHead(int stage, Set set, QSize size, int scale)
{
    QImage img(size * scale, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    paintBackground(p, size);
    p.translate((size.width() - SceneW) / 2, (size.height() - SceneH) / 2);
    paintHead(p, stage, set);
    return img;
}

// The program's emblem: a smiling bald head on a blue tile whose one remaining hair curls into a
// question mark. Drawn in a 32-unit square; small sizes get bolder strokes.
void paintIcon(QPainter &p, int size, bool opaque)
{
    const qreal bold = size < 24 ? 1.4 : size < 48 ? 1.15 : 1.0;
    const qreal hairline = std::max(32.0 / size, 0.35);
    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, QColor(0x9A, 0x9A, 0xFF));
    tile.setColorAt(1, QColor(0x50, 0x50, 0xD8));
    p.setPen(opaque ? Qt::NoPen : QPen(QColor(0x3A, 0x3A, 0xA8), hairline));
    p.setBrush(tile);
    if (opaque)
        p.drawRect(QRectF(0, 0, 32, 32));
    else
        p.drawRoundedRect(QRectF(hairline / 2, hairline / 2, 32 - hairline, 32 - hairline), 7, 7);
    const QColor hair(0x3A, 0x26, 0x1A);
    const QRectF face(16 - 8.8, 21.3 - 9.2, 17.6, 18.4);
    p.setPen(QPen(SkinLine.darker(120), 0.9 * bold));
    p.setBrush(Skin);
    p.drawEllipse(QPointF(7.2, 22), 2.1, 3.1);
    p.drawEllipse(QPointF(24.8, 22), 2.1, 3.1);
    p.drawEllipse(face);
    // What is left of the hair: a tuft over each ear.
    for (const auto &[from, sweep] : {std::pair{148.0, 44.0}, std::pair{32.0, -44.0}}) {
        if (size < 24)
            break; // too small to tell hair from face
        QPainterPath side;
        side.arcMoveTo(face.adjusted(0.6, 0.6, -0.6, -0.6), from);
        side.arcTo(face.adjusted(0.6, 0.6, -0.6, -0.6), from, sweep);
        stroke(p, side, hair, 2.6 * bold);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    p.drawEllipse(QPointF(12.7, 21.2), 1.2 * bold, 1.4 * bold);
    p.drawEllipse(QPointF(19.3, 21.2), 1.2 * bold, 1.4 * bold);
    QPainterPath smile(QPointF(12.6, 25.2));
    smile.quadTo(QPointF(16, 28.4), QPointF(19.4, 25.2));
    stroke(p, smile, hair, 1.1 * bold);
    // The one hair on top curls into a question mark.
    QPainterPath question(QPointF(11.6, 6.2));
    question.cubicTo(QPointF(12.0, 1.0), QPointF(20.8, 0.8), QPointF(20.4, 5.6));
    question.cubicTo(QPointF(20.1, 8.4), QPointF(16, 8.2), QPointF(16, 10.4));
    stroke(p, question, hair, 2.3 * bold);
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    p.drawEllipse(QPointF(16, 13.6), 1.35 * bold, 1.1 * bold);
}

QImage renderIcon(int size, int scale, bool opaque)
{
    QImage img(QSize(size, size) * scale,
               opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size * scale / 32.0, size * scale / 32.0);
    paintIcon(p, size * scale, opaque);
    p.end();
    return opaque ? img : img.convertToFormat(QImage::Format_ARGB32);
}

QByteArray pngBytes(const QImage &img)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG", 0);
    return bytes;
}

// An ICO container: ICONDIR, one ICONDIRENTRY per image, then the PNG-compressed images.
QByteArray icoBytes(const std::vector<std::pair<int, QByteArray>> &images)
{
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const auto &[size, png] : images) {
        const auto side = quint8(size >= 256 ? 0 : size);
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(png.size()) << offset;
        offset += quint32(png.size());
    }
    for (const auto &image : images)
        ico.append(image.second);
    return ico;
}

// Quality 0 gives PNG its strongest compression; BMP ignores it.
bool saveImage(const QImage &img, const QString &path, const char *format, int quality = 0)
{
    if (img.save(path, format, quality))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription("Draws the head pictures and icons.");
    cli.addHelpOption();
    cli.addPositionalArgument("folder", "Where the pictures go (default: resources).");
    const QCommandLineOption icoOption("ico", "Where the Windows icon file goes.", "file",
                                       "packaging/windows/tressora.ico");
    cli.addOption(icoOption);
    const QCommandLineOption desktopOption(
        "desktop-icons", "Where the icons installed for the desktop's menus go.", "folder",
        "packaging/icons");
    cli.addOption(desktopOption);
    cli.process(app);
    const QDir dir(cli.positionalArguments().value(0, "resources"));
    if (!QDir().mkpath(dir.path()))
        return 1;

    const QSize maleSizes[5] = {{195, 111}, {195, 111}, {195, 111}, {196, 114}, {195, 115}};
    bool ok = true;
    for (int stage = 0; stage < 5; ++stage) {
        const QString male = dir.filePath(QString("head%1").arg(stage + 1));
        const QString female = dir.filePath(QString("head%1").arg(stage + 6));
        const QImage m = renderHead(stage, Set::Male, maleSizes[stage], 1);
        ok &= saveImage(m.convertToFormat(QImage::Format_RGB888), male + ".bmp", "BMP");
        ok &= saveImage(renderHead(stage, Set::Male, maleSizes[stage], 2), male + "@2x.png", "PNG");
        ok &= saveImage(renderHead(stage, Set::Female, {195, 111}, 1), female + ".jpg", "JPG", 90);
        ok &= saveImage(renderHead(stage, Set::Female, {195, 111}, 2), female + "@2x.png", "PNG");
    }

    std::vector<std::pair<int, QByteArray>> icoImages;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = renderIcon(size, 1, false);
        icoImages.emplace_back(size, pngBytes(icon));
        const QString path = dir.filePath(QString("icon-%1.png").arg(size));
        if (size != 32)
            ok &= saveImage(icon, path, "PNG");
    }
    // The 32 px icon is the one the windows show: 256 colours and no transparent pixels.
    const QImage icon32 = renderIcon(32, 1, true);
    const QImage indexed = icon32.convertToFormat(QImage::Format_Indexed8);
    if (indexed.convertToFormat(QImage::Format_RGB32) != icon32)
        std::fprintf(stderr, "artgen: icon-32 has more than 256 colours and was dithered\n");
    ok &= saveImage(indexed, dir.filePath("icon-32.png"), "PNG");
    ok &= saveImage(renderIcon(32, 2, true), dir.filePath("icon-32@2x.png"), "PNG");

    // What the desktop's menus show: the 32 px icon with the same rounded, transparent corners as
    // the other sizes (the windows' own 32 px icon stays square and opaque), and the drawing as
    // a scalable picture.
    const QString desktop = cli.value(desktopOption);
    QDir().mkpath(desktop);
    ok &= saveImage(renderIcon(32, 1, false), QDir(desktop).filePath("icon-32.png"), "PNG");
    QSvgGenerator svg;
    svg.setFileName(QDir(desktop).filePath("icon.svg"));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle("Tressora");
    svg.setDescription("The program icon of Tressora");
    {
        QPainter p(&svg);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(256 / 32.0, 256 / 32.0);
        paintIcon(p, 256, false);
    }

    const QString icoPath = cli.value(icoOption);
    QDir().mkpath(QFileInfo(icoPath).path());
    QFile ico(icoPath);
    if (!ico.open(QIODevice::WriteOnly) || ico.write(icoBytes(icoImages)) < 0) {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(icoPath));
        ok = false;
    }
    return ok ? 0 : 1;
}
