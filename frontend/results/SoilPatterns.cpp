#include "SoilPatterns.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <functional>

namespace truvex {

namespace {

enum class Motif { DiagonalLines, SquareDots, Dashes, Bricks, CrackedBricks, DotsAndPebbles, Pebbles };

struct PatternPicture {
    Motif motif;
    int width;
    int height;
};

// Pictures 1 to 14, screen and printer size of each motif in turn.
constexpr std::array<PatternPicture, 14> kPictures = {{
    {Motif::SquareDots, 80, 80},      {Motif::SquareDots, 96, 96},
    {Motif::Dashes, 30, 42},          {Motif::Dashes, 96, 69},
    {Motif::Bricks, 30, 42},          {Motif::Bricks, 96, 69},
    {Motif::CrackedBricks, 30, 42},   {Motif::CrackedBricks, 96, 69},
    {Motif::DotsAndPebbles, 80, 80},  {Motif::DotsAndPebbles, 96, 192},
    {Motif::Pebbles, 80, 80},         {Motif::Pebbles, 96, 192},
    {Motif::DiagonalLines, 80, 80},   {Motif::DiagonalLines, 96, 96},
}};

// Pebble outlines in fractions of the picture, placed so that none crosses
// an edge of the tile.
const std::array<QPolygonF, 5> kPebbles = {{
    QPolygonF({{0.10, 0.12}, {0.22, 0.08}, {0.30, 0.16}, {0.24, 0.26}, {0.12, 0.24}}),
    QPolygonF({{0.55, 0.10}, {0.70, 0.14}, {0.74, 0.24}, {0.62, 0.30}, {0.52, 0.22}}),
    QPolygonF({{0.30, 0.48}, {0.44, 0.42}, {0.52, 0.54}, {0.40, 0.62}, {0.28, 0.58}}),
    QPolygonF({{0.70, 0.56}, {0.86, 0.52}, {0.90, 0.66}, {0.78, 0.72}}),
    QPolygonF({{0.08, 0.76}, {0.20, 0.72}, {0.28, 0.84}, {0.18, 0.92}, {0.06, 0.88}}),
}};

// Draws `shapes` at the tile and its eight neighbours, so that whatever
// crosses an edge comes back on the opposite side and the tiles join.
void drawWrapped(QPainter& painter, int w, int h, const std::function<void(QPainter&)>& shapes)
{
    for (int dy = -h; dy <= h; dy += h)
        for (int dx = -w; dx <= w; dx += w) {
            painter.save();
            painter.translate(dx, dy);
            shapes(painter);
            painter.restore();
        }
}

void drawMotif(QPainter& painter, Motif motif, int w, int h)
{
    switch (motif) {
    case Motif::DiagonalLines: {
        // Lines falling from upper left to lower right, eight per tile.
        const int step = w / 8;
        drawWrapped(painter, w, h, [&](QPainter& p) {
            for (int x = 0; x < w; x += step)
                p.drawLine(x, 0, x + h, h);
        });
        break;
    }
    case Motif::SquareDots: {
        const int cell = w / 8;
        const int dot = std::max(2, cell / 5);
        for (int row = 0; row * cell < h; ++row)
            for (int x = row % 2 == 0 ? 0 : cell / 2; x < w; x += cell)
                painter.fillRect(x, row * cell, dot, dot, Qt::black);
        break;
    }
    case Motif::Dashes: {
        const double rowHeight = h / 6.0;
        drawWrapped(painter, w, h, [&](QPainter& p) {
            for (int row = 0; row < 6; ++row) {
                const int y = static_cast<int>(row * rowHeight + rowHeight / 2);
                const int x = row % 2 == 0 ? w / 10 : w / 10 + w / 2;
                p.drawLine(x, y, x + w * 3 / 10, y);
            }
        });
        break;
    }
    case Motif::Bricks:
    case Motif::CrackedBricks: {
        // Two courses per tile; the joints of the second course sit half a
        // brick along.
        const int course = h / 2;
        drawWrapped(painter, w, h, [&](QPainter& p) {
            for (int c = 0; c < 2; ++c) {
                const int top = c * course;
                const int joint = c == 0 ? 0 : w / 2;
                p.drawLine(0, top, w, top);
                p.drawLine(joint, top, joint, top + course);
                if (motif == Motif::CrackedBricks)
                    p.drawLine(joint + w / 10, top + course * 17 / 20, joint + w * 9 / 10, top + course * 3 / 20);
            }
        });
        break;
    }
    case Motif::DotsAndPebbles:
    case Motif::Pebbles: {
        if (motif == Motif::DotsAndPebbles) {
            const int cell = w / 10;
            for (int y = cell / 2; y < h; y += cell)
                for (int x = (y / cell) % 2 == 0 ? cell / 2 : 0; x < w; x += cell)
                    painter.drawPoint(x, y);
        }
        painter.scale(w, h);
        QPen pen(Qt::black, 0);  // cosmetic: one pixel whatever the scale
        painter.setPen(pen);
        for (const QPolygonF& pebble : kPebbles)
            painter.drawPolygon(pebble);
        break;
    }
    }
}

}  // namespace

QImage SoilPatternImage(int number)
{
    if (number < 1 || number > static_cast<int>(kPictures.size()))
        return {};
    const PatternPicture& picture = kPictures[static_cast<std::size_t>(number - 1)];
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    drawMotif(painter, picture.motif, picture.width, picture.height);
    return image;
}

QBrush SoilPatternBrush(int code, bool forPrinter)
{
    const int printer = forPrinter ? 1 : 0;
    switch (code) {
    case 1:
        return QBrush(SoilPatternImage(13 + printer));
    case 2:
        return QBrush(Qt::black, Qt::FDiagPattern);
    case 3:
        return QBrush(Qt::black, Qt::CrossPattern);
    case 4:
        return QBrush(Qt::black, Qt::DiagCrossPattern);
    case 5:
        return QBrush(Qt::black, Qt::HorPattern);
    case 6:
        return QBrush(Qt::black, Qt::VerPattern);
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
        // Codes 7 to 12 use pictures 1 to 12 in pairs.
        return QBrush(SoilPatternImage(2 * (code - 7) + 1 + printer));
    default:
        return Qt::NoBrush;
    }
}

}  // namespace truvex
