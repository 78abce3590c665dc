#include "GraphDraw.h"

#include "AxisCaption.h"
#include "SoilPatterns.h"
#include "util/MorString.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace truvex {

namespace {

struct Rgb {
    int r, g, b;
};

constexpr std::array<Rgb, 17> kCurveColors = {{
    {0, 0, 0},     {0, 0, 255},     {255, 0, 0},   {0, 128, 0},     {128, 0, 128},   {128, 0, 0},
    {0, 0, 128},   {255, 0, 255},   {128, 128, 0}, {0, 128, 128},   {128, 128, 128}, {0, 255, 0},
    {128, 128, 128}, {192, 192, 192}, {192, 192, 192}, {255, 255, 0}, {0, 255, 255},
}};

constexpr int kNormal = 400;
constexpr int kBold = 700;

QString qText(const std::string& text) { return QString::fromStdString(text); }

QPoint qPoint(TPixelPoint point) { return {point.X, point.Y}; }

// A rectangle as the platform's drawing call takes it: from left/top to one
// short of right/bottom, corners in either order.
QRect boxRect(const TPixelRect& box)
{
    return QRect(std::min(box.Left, box.Right), std::min(box.Top, box.Bottom), std::abs(box.Right - box.Left),
                 std::abs(box.Bottom - box.Top));
}

// Outlined with the pen and filled with the brush.
void drawBox(QPainter& painter, const TPixelRect& box)
{
    const QRect rect = boxRect(box);
    if (!rect.isEmpty())
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void fillBox(QPainter& painter, const TPixelRect& box, const QColor& colour)
{
    painter.fillRect(boxRect(box), colour);
}

// Clip rectangle of a plot area, its frame included.
QRect clipOf(const TPixelRect& area)
{
    return QRect(QPoint(area.Left, area.Top), QPoint(area.Right, area.Bottom)).normalized();
}

class GraphPainter {
public:
    GraphPainter(QPainter& painter, const TGraphPlot& graph, const TGraphView& view, const TDrawSurface& surface)
        : p_(painter), graph_(graph), view_(view), s_(surface), f_(BaseTextHeight(graph, surface)),
          curvePen_((static_cast<int>(std::lround(surface.Px / 300.0)) + 1) * std::max(graph.WidthLine, 0))
    {
    }

    void draw(const TLegendPlacement& legend)
    {
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, false);
        p_.fillRect(QRect(QPoint(s_.L, s_.T), QPoint(s_.R - 1, s_.B - 1)), Qt::white);
        if (s_.R - s_.L >= s_.Px && s_.B - s_.T >= s_.Py) {
            if (graph_.ShowThree) {
                threePanelCaptions();
                for (int panel = 0; panel < 3; ++panel)
                    axes(panel, 4 * f_);
            } else {
                singleCaptions();
                axes(0, 6 * f_);
            }
            curves();
            if (s_.ForOutput)
                pictureLegend(legend);
            if (graph_.ShowLayers)
                soilColumn();
            frames();
        }
        p_.restore();
    }

    TPixelPoint legendSize()
    {
        const std::vector<TLegendRow> rows = shownLegendRows();
        if (rows.empty())
            return {};
        selectFont(0, kNormal, graph_.SizeFont);
        int widest = 0;
        for (const TLegendRow& row : rows)
            widest = std::max(widest, textWidth(row.Text));
        const int rowCount = static_cast<int>(rows.size());
        return {widest + 3 * s_.Px / 16, rowCount * (s_.Py / 32 + textHeight()) + s_.Py / 32};
    }

private:
    // Graph texts: the surface font's height scaled by `scale` tenths, in
    // the graph face, normal or bold.
    void selectFont(int angle, int weight, int scale)
    {
        QFont font(QStringLiteral("Times New Roman"));
        font.setStyleHint(QFont::Serif);
        font.setPixelSize(std::max(1, std::abs(s_.FontHeight * scale / 10)));
        font.setBold(weight >= kBold);
        p_.setFont(font);
        upward_ = angle == 900;
    }

    int textWidth(const std::string& text) const { return p_.fontMetrics().horizontalAdvance(qText(text)); }
    int textHeight() const { return p_.fontMetrics().height(); }

    // Text from its start point: the top-left corner of the text, or for
    // text reading upward the bottom-left corner of the upright text.
    void text(int x, int y, const std::string& text)
    {
        const int ascent = p_.fontMetrics().ascent();
        if (!upward_) {
            p_.drawText(x, y + ascent, qText(text));
            return;
        }
        p_.save();
        p_.translate(x, y);
        p_.rotate(-90);
        p_.drawText(0, ascent, qText(text));
        p_.restore();
    }

    bool titleAtTop() const { return !graph_.GraphTitle.empty() && graph_.TitleAtTop; }
    bool titleAtBottom() const { return !graph_.GraphTitle.empty() && !graph_.TitleAtTop; }

    void title()
    {
        if (graph_.GraphTitle.empty())
            return;
        const int width = textWidth(graph_.GraphTitle);
        const int top = graph_.TitleAtTop ? s_.T : s_.B - textHeight();
        text((s_.R + s_.L - width) / 2, top, graph_.GraphTitle);
    }

    void singleCaptions()
    {
        p_.setPen(Qt::black);
        selectFont(0, kBold, graph_.SizeFont);
        const std::string xCaption = AxisCaptionText(graph_.XCaption, graph_.XUnits, graph_.Units());
        const int x = (s_.R + s_.L - textWidth(xCaption)) / 2;
        const int titleSpace = f_ / 8 + f_;
        if (graph_.XOnTop)
            text(x, s_.T + (titleAtTop() ? titleSpace : 0), xCaption);
        else
            text(x, s_.B - textHeight() - (titleAtBottom() ? titleSpace : 0), xCaption);
        title();

        selectFont(900, kBold, graph_.SizeFont);
        const std::string yCaption = AxisCaptionText(graph_.YCaption, graph_.YUnits, graph_.Units());
        text(s_.L, (s_.T + s_.B + textWidth(yCaption)) / 2, yCaption);
    }

    void threePanelCaptions()
    {
        p_.setPen(Qt::black);
        selectFont(0, kBold, graph_.SizeFont);
        title();
        const std::array<std::string, 3> xCaptions = {
            AxisCaptionText(graph_.XCaption, graph_.XUnits, graph_.Units()),
            AxisCaptionText(graph_.XCaption2, graph_.XUnits2, graph_.Units()),
            AxisCaptionText(graph_.XCaption3, graph_.XUnits3, graph_.Units()),
        };
        const std::array<std::string, 3> yCaptions = {
            AxisCaptionText(graph_.YCaption, graph_.YUnits, graph_.Units()),
            AxisCaptionText(graph_.YCaption2, graph_.YUnits2, graph_.Units()),
            AxisCaptionText(graph_.YCaption3, graph_.YUnits3, graph_.Units()),
        };
        const TGraphLayout& layout = view_.Layout;
        for (int panel = 0; panel < 3; ++panel) {
            const TPixelRect& rect = layout.Panels[static_cast<std::size_t>(panel)];
            const std::string& xCaption = xCaptions[static_cast<std::size_t>(panel)];
            const int x = (rect.Left + rect.Right - textWidth(xCaption)) / 2;
            if (graph_.XOnTop)
                text(x, s_.T + s_.Py / 16 + (titleAtTop() ? s_.Py / 4 : 0), xCaption);
            else
                text(x, s_.B - s_.Py / 16 - (titleAtBottom() ? s_.Py / 4 : 0) - textHeight(), xCaption);
        }
        selectFont(900, kBold, graph_.SizeFont);
        for (int panel = 0; panel < 3; ++panel) {
            const TPixelRect& rect = layout.Panels[static_cast<std::size_t>(panel)];
            const std::string& yCaption = yCaptions[static_cast<std::size_t>(panel)];
            const int y = s_.IntoBitmap ? (layout.Plot.Top + layout.Plot.Bottom + textHeight()) / 2
                                        : (s_.T + s_.B + textWidth(yCaption)) / 2;
            text(rect.Left - s_.Px / 8 - 2 * f_, y, yCaption);
        }
    }

    void axes(int panel, int pixelsPerMajor)
    {
        const TPanelMap map = view_.PanelMap(graph_, panel);
        const TPixelRect& rect = map.Rect;
        const TExtents& e = map.Extents;
        const TTicks xTicks = ComputeTicks(e.XMin, e.XMax, rect.Width(), pixelsPerMajor);
        const TTicks yTicks = ComputeTicks(e.YMin, e.YMax, rect.Height(), pixelsPerMajor);
        if (xTicks.Intervals == 0 || yTicks.Intervals == 0)
            return;
        const QPen solid(Qt::black, 1);
        const QPen dotted(Qt::black, 1, Qt::DotLine);

        if (xTicks.Present) {
            for (int i = xTicks.First; i <= xTicks.Last; ++i) {
                const long double value = i * xTicks.Minor;
                const int x = map.ToPixel(value, e.YMin).X;
                if (!rect.ContainsX(x))
                    continue;
                p_.setPen(solid);
                if (graph_.XOnTop)
                    p_.drawLine(x, rect.Top, x, rect.Top + s_.Py / 16);
                else
                    p_.drawLine(x, rect.Bottom, x, rect.Bottom - s_.Py / 16);
                if (i % 5 != 0)
                    continue;
                p_.setPen(dotted);
                p_.drawLine(x, rect.Top, x, rect.Bottom);
                p_.setPen(solid);
                selectFont(0, kNormal, graph_.SizeFont);
                const std::string label = FormatGeneral(value, 4);
                const int top = graph_.XOnTop ? rect.Top - textHeight() - s_.Py / 32 : rect.Bottom + s_.Py / 16;
                text(x - textWidth(label) / 2, top, label);
            }
        }
        if (yTicks.Present) {
            for (int i = yTicks.First; i <= yTicks.Last; ++i) {
                const long double value = i * yTicks.Minor;
                const int y = map.ToPixel(e.XMin, value).Y;
                if (!rect.ContainsY(y))
                    continue;
                p_.setPen(solid);
                p_.drawLine(rect.Left, y, rect.Left + s_.Px / 16, y);
                if (i % 5 != 0)
                    continue;
                p_.setPen(dotted);
                p_.drawLine(rect.Left, y, rect.Right, y);
                p_.setPen(solid);
                selectFont(900, kNormal, graph_.SizeFont);
                const std::string label = FormatGeneral(value, 4);
                text(rect.Left - textHeight() - s_.Px / 32, y + textWidth(label) / 2, label);
            }
        }
    }

    void marker(TPixelPoint at, int curveIndex)
    {
        const std::vector<TPixelPoint> vertices = MarkerVertices(at, curveIndex, s_.Px, s_.Py);
        QPolygon outline;
        for (const TPixelPoint& vertex : vertices)
            outline << qPoint(vertex);
        p_.drawPolyline(outline);
    }

    // One curve of a panel: a polyline through its first `count` points,
    // with markers.
    void curve(const TLine& line, int count, const TPanelMap& map, int curveIndex)
    {
        QPolygon polyline;
        for (int j = 0; j < count; ++j) {
            const TFloatPoint& point = line.Point(j);
            polyline << qPoint(map.ToPixel(point.X, point.Y));
        }
        p_.drawPolyline(polyline);
        if (graph_.Markers <= 0)
            return;
        for (int j = 0; j < count; j += graph_.Markers)
            marker({polyline[j].x(), polyline[j].y()}, curveIndex);
    }

    void curvesOfPanel(const TLineList& lines, const TPanelMap& map, bool threePanel)
    {
        p_.setClipRect(clipOf(map.Rect));
        const TLineList& flags = graph_.Curves;
        int k = 0;
        for (int i = 0; i < flags.Count(); ++i) {
            const TLine& owner = flags.Line(i);
            if (!owner.Active)
                continue;
            if (owner.Shown && i < lines.Count()) {
                const TLine& line = lines.Line(i);
                p_.setPen(QPen(CurveColor(k), curvePen_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p_.setBrush(CurveColor(k));
                const int count =
                    threePanel ? ThreePanelDrawnPoints(flags.Count(), line.PointCount()) : line.PointCount();
                curve(line, count, map, i);
            }
            ++k;
        }
        p_.setPen(Qt::black);
        p_.setBrush(Qt::white);
        p_.setClipping(false);
    }

    void curves()
    {
        if (graph_.Curves.Count() == 0 || graph_.Curves.PointCount() <= 1)
            return;
        if (!graph_.ShowThree) {
            curvesOfPanel(graph_.Curves, view_.PanelMap(graph_, 0), false);
            return;
        }
        const std::array<const TLineList*, 3> lists = {&graph_.Curves, &graph_.Curves2, &graph_.Curves3};
        for (int panel = 0; panel < 3; ++panel)
            curvesOfPanel(*lists[static_cast<std::size_t>(panel)], view_.PanelMap(graph_, panel), true);
    }

    // Legend rows of shown curves, each keeping its position in the full
    // legend as its `Curve`.
    std::vector<TLegendRow> shownLegendRows() const
    {
        std::vector<TLegendRow> shown;
        const std::vector<TLegendRow> rows = LegendRows(graph_);
        for (std::size_t k = 0; k < rows.size(); ++k)
            if (graph_.Curves.Line(rows[k].Curve).Shown)
                shown.push_back({static_cast<int>(k), rows[k].Text});
        return shown;
    }

    void pictureLegend(const TLegendPlacement& placement)
    {
        const TPixelPoint size = legendSize();
        if (size.X == 0)
            return;
        const TPixelRect& plot = view_.Layout.Plot;
        const int left = plot.Left + static_cast<int>((plot.Right - plot.Left) * placement.Left);
        const int top = plot.Top + static_cast<int>((plot.Bottom - plot.Top) * placement.Top);
        p_.setPen(QPen(Qt::black, 1));
        p_.setBrush(Qt::white);
        selectFont(0, kNormal, graph_.SizeFont);
        drawBox(p_, {left, top, left + size.X, top + size.Y});
        const int h = textHeight();
        const int x = left + s_.Px / 16;
        int y = top + s_.Py / 32;
        for (const TLegendRow& row : shownLegendRows()) {
            p_.setPen(QPen(Qt::black, 1));
            marker({x, y + h / 2}, row.Curve);
            p_.setPen(CurveColor(row.Curve));
            text(x + s_.Px / 16, y, row.Text);
            y += s_.Py / 32 + h;
        }
        p_.setPen(Qt::black);
    }

    void soilColumn()
    {
        const TGraphLayout& layout = view_.Layout;
        if (!layout.HasSoilStrip)
            return;
        const TSoilColumn column = LayOutSoilColumn(graph_, view_.PanelMap(graph_, 0), layout.SoilStrip);
        p_.setClipRect(clipOf(layout.SoilStrip));
        p_.setBackgroundMode(Qt::OpaqueMode);
        p_.setBackground(Qt::white);
        const bool printer = s_.ForOutput && !s_.IntoBitmap;
        for (const TSoilBand& band : column.Bands) {
            p_.setPen(QPen(Qt::black, curvePen_));
            p_.setBrush(SoilPatternBrush(band.Code, printer));
            drawBox(p_, band.Rect);
            if (band.Name.empty())
                continue;
            selectFont(0, kNormal, 10);
            const int width = textWidth(band.Name);
            const int x = (layout.SoilStrip.Left + layout.SoilStrip.Right - width) / 2;
            const int y = (band.NameTop + band.NameBottom - textHeight()) / 2;
            p_.fillRect(x, y, width, textHeight(), Qt::white);
            text(x, y, band.Name);
        }
        if (column.HasWall)
            fillBox(p_, column.WallBar, QColor(128, 128, 128));
        p_.setBackgroundMode(Qt::TransparentMode);
        p_.setPen(Qt::black);
        p_.setBrush(Qt::white);
        p_.setClipping(false);
    }

    void frames()
    {
        p_.setPen(QPen(Qt::black, 1));
        p_.setBrush(Qt::NoBrush);
        const TGraphLayout& layout = view_.Layout;
        if (!graph_.ShowThree) {
            p_.drawRect(clipOf(layout.Plot).adjusted(0, 0, -1, -1));
            return;
        }
        for (const TPixelRect& panel : layout.Panels)
            p_.drawRect(clipOf(panel).adjusted(0, 0, -1, -1));
    }

    QPainter& p_;
    const TGraphPlot& graph_;
    const TGraphView& view_;
    const TDrawSurface& s_;
    const int f_;
    const int curvePen_;
    bool upward_ = false;
};

}  // namespace

QColor CurveColor(int k)
{
    const int count = static_cast<int>(kCurveColors.size());
    const Rgb& rgb = kCurveColors[static_cast<std::size_t>((k % count + count) % count)];
    return QColor(rgb.r, rgb.g, rgb.b);
}

int MarkerShape(int curveIndex)
{
    return (curveIndex % 10 + 10) % 10 + 1;
}

std::vector<TPixelPoint> MarkerVertices(TPixelPoint center, int curveIndex, int px, int py)
{
    constexpr long double pi = std::numbers::pi_v<long double>;
    const int shape = MarkerShape(curveIndex);
    std::vector<long double> angles;
    if (shape == 1) {
        angles = {pi, pi + 2 * pi / 3, pi + 4 * pi / 3, pi};
    } else if (shape == 2) {
        for (int k = 0; k <= 4; ++k)
            angles.push_back(pi / 4 + k * pi / 2);
    } else {
        for (int k = 0; k <= shape; ++k)
            angles.push_back(k * 2 * pi / shape);
    }
    const int rx = px / 32;
    const int ry = py / 32;
    std::vector<TPixelPoint> vertices;
    for (const long double a : angles)
        vertices.push_back({center.X + static_cast<int>(std::lround(std::sin(a) * rx)),
                            center.Y - static_cast<int>(std::lround(std::cos(a) * ry))});
    return vertices;
}

int ThreePanelDrawnPoints(int curveCount, int pointCount)
{
    return curveCount > 1 ? std::max(pointCount - 1, 0) : pointCount;
}

std::vector<TLegendRow> LegendRows(const TGraphPlot& graph)
{
    std::vector<TLegendRow> rows;
    for (int i = 0; i < graph.Curves.Count(); ++i) {
        const TLine& line = graph.Curves.Line(i);
        if (!line.Active)
            continue;
        std::string text = line.GetLineName();
        if (graph.onGetCaption)
            graph.onGetCaption(i, text);
        rows.push_back({i, std::move(text)});
    }
    return rows;
}

TSoilColumn LayOutSoilColumn(const TGraphPlot& graph, const TPanelMap& depthMap, const TPixelRect& strip)
{
    TSoilColumn column;
    const TLineList& lines = graph.LayerLines;
    if (lines.Count() == 0 || lines.Line(0).PointCount() < 1)
        return column;
    const auto lineValue = [&](int i) -> TFloatPoint {
        const TLine& line = lines.Line(i);
        return line.PointCount() > 0 ? line.Point(0) : TFloatPoint{};
    };
    const auto depthPixel = [&](long double depth) { return depthMap.ToPixel(0, depth).Y; };
    const auto codeOf = [&](int i) { return static_cast<int>(std::lround(lineValue(i).X)); };

    // The wall lines follow the soil layers, when there are any.
    const bool hasWallLines = graph.WallLineCount > 0 && lines.Count() >= graph.WallLineCount + 2;
    const int layers = hasWallLines ? graph.WallLineCount : lines.Count();

    if (!(graph.ShowWall && hasWallLines)) {
        int top = depthPixel(0);
        for (int i = 0; i < layers; ++i) {
            const int bottom = depthPixel(lineValue(i).Y);
            const int bandBottom = std::min(i == layers - 1 ? bottom : bottom + 1, strip.Bottom);
            column.Bands.push_back(
                {{strip.Left, top, strip.Right - 1, bandBottom}, codeOf(i), lines.Line(i).GetLineName(), top, bottom});
            top = bottom;
        }
        return column;
    }

    const int w = strip.Width();
    const int retainedRight = strip.Left + 2 * w / 5;
    const int excavationLeft = strip.Left + 3 * w / 5;
    const long double excavation = lineValue(lines.Count() - 1).Y;
    const int excavationPixel = depthPixel(excavation);
    for (int i = 0; i < layers; ++i) {
        const long double depth = lineValue(i).Y;
        const int top = i == 0 ? strip.Top : depthPixel(lineValue(i - 1).Y);
        const int bottom = depthPixel(depth) + (i == layers - 1 ? 0 : 1);
        const int code = codeOf(i);
        if (depth < excavation) {
            column.Bands.push_back({{strip.Left, top, retainedRight, bottom}, code, {}, 0, 0});
        } else if (i > 0 && lineValue(i - 1).Y >= excavation) {
            column.Bands.push_back({{strip.Left, top, strip.Right, bottom}, code, {}, 0, 0});
        } else {
            column.Bands.push_back({{strip.Left, top, retainedRight, bottom}, code, {}, 0, 0});
            column.Bands.push_back({{excavationLeft, excavationPixel, strip.Right, bottom}, code, {}, 0, 0});
        }
    }
    column.HasWall = true;
    column.WallBar = {retainedRight, strip.Top, excavationLeft, depthPixel(lineValue(graph.WallLineCount).Y)};
    return column;
}

bool TGraphView::Open(const TGraphPlot& graph)
{
    const std::array<const TLineList*, 3> lists = {&graph.Curves, &graph.Curves2, &graph.Curves3};
    for (std::size_t panel = 0; panel < 3; ++panel)
        if (!ComputeExtents(*lists[panel], Extents[panel]))
            return false;
    FullExtents = Extents;
    return true;
}

TPanelMap TGraphView::PanelMap(const TGraphPlot& graph, int panel) const
{
    const std::size_t index = graph.ShowThree ? static_cast<std::size_t>(std::clamp(panel, 0, 2)) : 0;
    return {Extents[index], graph.ShowThree ? Layout.Panels[index] : Layout.Plot, graph.XOnTop};
}

TPixelPoint TGraphView::ToPixel(const TGraphPlot& graph, int panel, long double x, long double y) const
{
    return PanelMap(graph, panel).ToPixel(x, y);
}

TFloatPoint TGraphView::ToData(const TGraphPlot& graph, int xPixel, int yPixel) const
{
    if (!graph.ShowThree)
        return Layout.Plot.ContainsX(xPixel) ? PanelMap(graph, 0).ToData(xPixel, yPixel) : TFloatPoint{};
    for (int panel = 0; panel < 3; ++panel)
        if (Layout.Panels[static_cast<std::size_t>(panel)].ContainsX(xPixel))
            return PanelMap(graph, panel).ToData(xPixel, yPixel);
    return {};
}

TPixelPoint PictureLegendSize(QPainter& painter, const TGraphPlot& graph, const TDrawSurface& surface)
{
    const TGraphView unused;
    painter.save();
    const TPixelPoint size = GraphPainter(painter, graph, unused, surface).legendSize();
    painter.restore();
    return size;
}

void DrawGraph(QPainter& painter, const TGraphPlot& graph, const TGraphView& view, const TDrawSurface& surface,
               const TLegendPlacement& legend)
{
    GraphPainter(painter, graph, view, surface).draw(legend);
}

}  // namespace truvex
