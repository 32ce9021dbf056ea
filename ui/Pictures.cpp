#include "Pictures.h"

#include "win/ScreenDpi.h"
#include "core/DpiScale.h"
#include "win/Scoped.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace ui::pictures {
namespace {

// Shapes and text are drawn this many times larger and averaged down, which
// gives GDI drawing smooth edges.
constexpr int kSupersample = 4;

using Painter = std::function<void(HDC dc, double scale)>;

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bgra; // top-down, 0xAARRGGBB
};

HBITMAP CreateTopDownDib(HDC dc, int width, int height, uint32_t** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* raw = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    *bits = static_cast<uint32_t*>(raw);
    return bitmap;
}

// Paints at kSupersample times the size on background and averages each block.
Pixels Render(int width, int height, COLORREF background, const Painter& paint) {
    const int bigW = width * kSupersample, bigH = height * kSupersample;
    win::ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    uint32_t* bits = nullptr;
    win::ScopedBitmap bitmap(CreateTopDownDib(dc.get(), bigW, bigH, &bits));
    Pixels out{width, height, std::vector<uint32_t>(static_cast<size_t>(width * height))};
    if (!bitmap) {
        return out;
    }
    {
        win::ScopedSelect select(dc.get(), bitmap.get());
        win::ScopedBrush brush(CreateSolidBrush(background));
        RECT all = {0, 0, bigW, bigH};
        FillRect(dc.get(), &all, brush.get());
        SetBkMode(dc.get(), TRANSPARENT);
        paint(dc.get(), kSupersample);
        GdiFlush();
    }
    const int area = kSupersample * kSupersample;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < kSupersample; ++dy) {
                const uint32_t* row = bits + (y * kSupersample + dy) * bigW + x * kSupersample;
                for (int dx = 0; dx < kSupersample; ++dx) {
                    r += (row[dx] >> 16) & 0xFF;
                    g += (row[dx] >> 8) & 0xFF;
                    b += row[dx] & 0xFF;
                }
            }
            out.bgra[static_cast<size_t>(y * width + x)] = 0xFF000000u | static_cast<uint32_t>(r / area) << 16 |
                                                           static_cast<uint32_t>(g / area) << 8 |
                                                           static_cast<uint32_t>(b / area);
        }
    }
    return out;
}

HBITMAP ToBitmap(const Pixels& pixels) {
    uint32_t* bits = nullptr;
    HBITMAP bitmap = CreateTopDownDib(nullptr, pixels.width, pixels.height, &bits);
    if (bitmap) {
        std::copy(pixels.bgra.begin(), pixels.bgra.end(), bits);
    }
    return bitmap;
}

// Drawn once on black and once on white: where the two agree the picture is
// opaque, where they differ by the full range it is transparent.
HICON RenderIcon(int size, const Painter& paint) {
    const Pixels onBlack = Render(size, size, RGB(0, 0, 0), paint);
    const Pixels onWhite = Render(size, size, RGB(255, 255, 255), paint);
    Pixels rgba{size, size, std::vector<uint32_t>(onBlack.bgra.size())};
    for (size_t i = 0; i < rgba.bgra.size(); ++i) {
        const uint32_t k = onBlack.bgra[i], w = onWhite.bgra[i];
        const int alpha = 255 - std::clamp(static_cast<int>(((w >> 8) & 0xFF) - ((k >> 8) & 0xFF)), 0, 255);
        uint32_t pixel = 0;
        if (alpha > 0) {
            auto channel = [&](int shift) {
                return static_cast<uint32_t>(std::min(255, static_cast<int>((k >> shift) & 0xFF) * 255 / alpha));
            };
            pixel = static_cast<uint32_t>(alpha) << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
        }
        rgba.bgra[i] = pixel;
    }
    win::ScopedBitmap color(ToBitmap(rgba));
    std::vector<uint8_t> maskBits(static_cast<size_t>(((size + 15) / 16) * 2 * size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((rgba.bgra[static_cast<size_t>(y * size + x)] >> 24) < 128) {
                maskBits[static_cast<size_t>(y * ((size + 15) / 16) * 2 + x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    win::ScopedBitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = color.get();
    info.hbmMask = mask.get();
    return CreateIconIndirect(&info);
}

int At(double v, double scale) { return static_cast<int>(std::lround(v * scale)); }

void FillShape(HDC dc, COLORREF fill, COLORREF outline, int penWidth, const std::function<void()>& draw) {
    win::ScopedBrush brush(CreateSolidBrush(fill));
    win::ScopedPen pen(CreatePen(PS_SOLID, std::max(1, penWidth), outline));
    win::ScopedSelect b(dc, brush.get());
    win::ScopedSelect p(dc, pen.get());
    draw();
}

void Circle(HDC dc, double s, double cx, double cy, double r, COLORREF fill, COLORREF outline, double pen) {
    FillShape(dc, fill, outline, At(pen, s),
              [&] { Ellipse(dc, At(cx - r, s), At(cy - r, s), At(cx + r, s), At(cy + r, s)); });
}

void Box(HDC dc, double s, double l, double t, double r, double b, COLORREF fill, COLORREF outline, double pen,
         double round = 0) {
    FillShape(dc, fill, outline, At(pen, s), [&] {
        if (round > 0) {
            RoundRect(dc, At(l, s), At(t, s), At(r, s), At(b, s), At(round, s), At(round, s));
        } else {
            Rectangle(dc, At(l, s), At(t, s), At(r, s), At(b, s));
        }
    });
}

void Polygon(HDC dc, double s, std::initializer_list<POINT> design, COLORREF fill, COLORREF outline, double pen) {
    std::vector<POINT> points;
    for (POINT p : design) {
        points.push_back({At(p.x / 10.0, s), At(p.y / 10.0, s)});
    }
    FillShape(dc, fill, outline, At(pen, s), [&] { ::Polygon(dc, points.data(), static_cast<int>(points.size())); });
}

void Line(HDC dc, double s, double x1, double y1, double x2, double y2, COLORREF color, double width) {
    win::ScopedPen pen(CreatePen(PS_SOLID, std::max(1, At(width, s)), color));
    win::ScopedSelect p(dc, pen.get());
    MoveToEx(dc, At(x1, s), At(y1, s), nullptr);
    LineTo(dc, At(x2, s), At(y2, s));
}

const COLORREF kNoteBlue = RGB(30, 80, 170);
const COLORREF kWaveGreen = RGB(30, 140, 70);
const COLORREF kArrow = RGB(200, 110, 20);

// Drawings on a 16-unit square; s maps units to device pixels.
void Note(HDC dc, double s, double x, double y, double k, COLORREF color) {
    Circle(dc, s, x + 2.2 * k, y + 10.5 * k, 2.2 * k, color, color, 0.2);
    Box(dc, s, x + 3.6 * k, y + 1.5 * k, x + 4.8 * k, y + 10.5 * k, color, color, 0.1);
    Polygon(dc, s,
            {{static_cast<LONG>((x + 4.2 * k) * 10), static_cast<LONG>((y + 1.5 * k) * 10)},
             {static_cast<LONG>((x + 8 * k) * 10), static_cast<LONG>((y + 4 * k) * 10)},
             {static_cast<LONG>((x + 8 * k) * 10), static_cast<LONG>((y + 5.5 * k) * 10)},
             {static_cast<LONG>((x + 4.2 * k) * 10), static_cast<LONG>((y + 3.5 * k) * 10)}},
            color, color, 0.1);
}

void WaveBars(HDC dc, double s, double x, double y, double k, COLORREF color) {
    const double heights[] = {3, 7, 10, 6, 9, 4};
    for (int i = 0; i < 6; ++i) {
        const double h = heights[i] * k;
        Box(dc, s, x + i * 1.3 * k, y + (12 * k - h) / 2, x + i * 1.3 * k + 0.9 * k, y + (12 * k + h) / 2, color, color,
            0.1, 0.6 * k);
    }
}

void SmallArrow(HDC dc, double s) {
    Polygon(dc, s, {{70, 100}, {100, 100}, {100, 80}, {140, 120}, {100, 160}, {100, 140}, {70, 140}}, kArrow,
            RGB(150, 70, 0), 0.3);
}

void Page(HDC dc, double s, double x, double y, COLORREF fill) {
    Polygon(dc, s,
            {{LONG(x * 10 + 20), LONG(y * 10 + 10)},
             {LONG(x * 10 + 90), LONG(y * 10 + 10)},
             {LONG(x * 10 + 120), LONG(y * 10 + 40)},
             {LONG(x * 10 + 120), LONG(y * 10 + 140)},
             {LONG(x * 10 + 20), LONG(y * 10 + 140)}},
            fill, RGB(90, 90, 110), 0.7);
    for (int i = 0; i < 4; ++i) {
        Line(dc, s, x + 3.8, y + 6 + i * 2, x + 10, y + 6 + i * 2, RGB(90, 130, 200), 0.8);
    }
}

void Cross(HDC dc, double s, double cx, double cy, double r, COLORREF color, double width) {
    Line(dc, s, cx - r, cy - r, cx + r, cy + r, color, width);
    Line(dc, s, cx - r, cy + r, cx + r, cy - r, color, width);
}

void PaintIcon(Icon icon, HDC dc, double s) {
    switch (icon) {
    case Icon::TabMp3Wav:
        Note(dc, s, 0, 1, 1, kNoteBlue);
        SmallArrow(dc, s);
        WaveBars(dc, s, 8.5, 4, 0.58, kWaveGreen);
        break;
    case Icon::TabWavMp3:
        WaveBars(dc, s, 0, 3, 0.6, kWaveGreen);
        SmallArrow(dc, s);
        Note(dc, s, 8, 1, 0.9, kNoteBlue);
        break;
    case Icon::TabWavWav:
        WaveBars(dc, s, 0, 3, 0.6, kWaveGreen);
        SmallArrow(dc, s);
        WaveBars(dc, s, 8.5, 4, 0.58, RGB(160, 40, 120));
        break;
    case Icon::TabTagEditor:
        Polygon(dc, s, {{10, 60}, {60, 10}, {150, 10}, {150, 110}, {100, 150}, {10, 60}}, RGB(250, 210, 80),
                RGB(150, 100, 10), 0.8);
        Circle(dc, s, 11.8, 4.2, 1.3, RGB(255, 255, 255), RGB(150, 100, 10), 0.6);
        Line(dc, s, 5, 8.5, 9.5, 4, RGB(150, 100, 10), 0.8);
        Line(dc, s, 7, 10.5, 11.5, 6, RGB(150, 100, 10), 0.8);
        break;
    case Icon::SingleFile:
        Page(dc, s, 1, 0.5, RGB(255, 255, 255));
        break;
    case Icon::Batch:
        Page(dc, s, 3, 0, RGB(230, 230, 240));
        Page(dc, s, 1.5, 1, RGB(240, 240, 250));
        Page(dc, s, 0, 2, RGB(255, 255, 255));
        break;
    case Icon::Add:
        Box(dc, s, 6.3, 1.5, 9.7, 14.5, RGB(40, 160, 60), RGB(20, 100, 30), 0.6, 1);
        Box(dc, s, 1.5, 6.3, 14.5, 9.7, RGB(40, 160, 60), RGB(20, 100, 30), 0.6, 1);
        Box(dc, s, 6.9, 2.1, 9.1, 13.9, RGB(60, 190, 80), RGB(60, 190, 80), 0.1);
        break;
    case Icon::Delete:
        Cross(dc, s, 8, 8, 5, RGB(150, 20, 20), 3.6);
        Cross(dc, s, 8, 8, 5, RGB(220, 50, 40), 2.2);
        break;
    case Icon::DeleteAll:
        Page(dc, s, 2, 0, RGB(240, 240, 250));
        Page(dc, s, 0, 1.5, RGB(255, 255, 255));
        Cross(dc, s, 10.5, 10.5, 3.6, RGB(150, 20, 20), 3.2);
        Cross(dc, s, 10.5, 10.5, 3.6, RGB(220, 50, 40), 1.8);
        break;
    case Icon::Cancel:
        Circle(dc, s, 8, 8, 7, RGB(210, 40, 30), RGB(130, 10, 10), 0.8);
        Cross(dc, s, 8, 8, 3.2, RGB(255, 255, 255), 2);
        break;
    case Icon::Browse:
        Box(dc, s, 1, 3, 7, 6, RGB(230, 180, 60), RGB(140, 100, 20), 0.6, 1);
        Box(dc, s, 1, 5, 15, 14, RGB(250, 205, 90), RGB(140, 100, 20), 0.6, 1);
        Line(dc, s, 2, 6.5, 14, 6.5, RGB(255, 235, 160), 0.8);
        break;
    case Icon::Program:
        Box(dc, s, 0.5, 0.5, 15.5, 15.5, RGB(20, 50, 120), RGB(10, 25, 70), 0.5, 4);
        Box(dc, s, 1.3, 1.3, 14.7, 8, RGB(40, 90, 170), RGB(40, 90, 170), 0.1, 3);
        Note(dc, s, 2, 1.5, 0.85, RGB(255, 255, 255));
        WaveBars(dc, s, 8.2, 4.5, 0.5, RGB(250, 200, 90));
        break;
    case Icon::WebLogo:
        Circle(dc, s, 8, 8, 7.4, RGB(128, 0, 0), RGB(90, 0, 0), 0.4);
        Polygon(dc, s, {{35, 40}, {60, 40}, {80, 100}, {100, 40}, {125, 40}, {90, 125}, {70, 125}}, RGB(255, 255, 255),
                RGB(255, 255, 255), 0.1);
        break;
    }
}

// A dusk over water with sound rings rising from it, computed pixel by pixel;
// x and y are in pixels of the picture's 96-DPI size.
uint32_t ColumnPixel(double x, double y) {
    const double w = kColumnPictureWidth, h = kColumnPictureHeight;
    const double u = x / w, v = y / h;
    const double horizon = 0.62;
    const double sunX = 0.5, sunY = 0.55;
    double r, g, b;
    if (v < horizon) {
        const double t = v / horizon;
        r = 30 + 215 * t * t;
        g = 30 + 120 * t * t * t;
        b = 90 + 40 * t - 60 * t * t;
    } else {
        const double t = (v - horizon) / (1 - horizon);
        r = 70 - 50 * t;
        g = 50 - 25 * t;
        b = 90 - 40 * t;
        const double shimmer = 0.5 + 0.5 * std::sin(y * 1.7 + std::sin(x * 0.35) * 2.0);
        const double beam = std::exp(-std::pow((u - sunX) / (0.08 + 0.25 * t), 2));
        r += 190 * beam * shimmer * (1 - 0.6 * t);
        g += 110 * beam * shimmer * (1 - 0.6 * t);
        b += 30 * beam * shimmer;
    }
    const double dx = (u - sunX) * w / h, dy = v - sunY;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (v < horizon) {
        const double glow = std::exp(-d * d / 0.012);
        r += 120 * glow;
        g += 100 * glow;
        b += 40 * glow;
        if (d < 0.055) {
            r = 255, g = 235, b = 170;
        }
        // Hills against the sky.
        const double ridge = horizon - 0.05 - 0.035 * std::sin(u * 7.0 + 1.0) - 0.02 * std::sin(u * 17.0);
        if (v > ridge) {
            r = 35 + 20 * u;
            g = 25;
            b = 50;
        }
    }
    // Sound rings around the sun.
    const double rings = std::sin(d * 90.0);
    if (d > 0.08 && d < 0.42 && rings > 0.93 && v < horizon + 0.02) {
        const double fade = 1.0 - (d - 0.08) / 0.34;
        r += 90 * fade;
        g += 80 * fade;
        b += 70 * fade;
    }
    auto clamp = [](double c) { return static_cast<uint32_t>(std::clamp(c, 0.0, 255.0)); };
    return 0xFF000000u | clamp(r) << 16 | clamp(g) << 8 | clamp(b);
}

HBITMAP DrawColumnPicture(int width, int height) {
    Pixels pixels{width, height, std::vector<uint32_t>(static_cast<size_t>(width * height))};
    const double toDesignX = static_cast<double>(kColumnPictureWidth) / width;
    const double toDesignY = static_cast<double>(kColumnPictureHeight) / height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.bgra[static_cast<size_t>(y * width + x)] = ColumnPixel(x * toDesignX, y * toDesignY);
        }
    }
    return ToBitmap(pixels);
}

} // namespace

HBITMAP ColumnPicture() {
    static std::map<int, HBITMAP> drawn;
    HBITMAP& picture = drawn[win::ScreenDpi()];
    if (!picture) {
        picture = DrawColumnPicture(win::Px(kColumnPictureWidth), win::Px(kColumnPictureHeight));
    }
    return picture;
}

HBITMAP ImageButtonFace(const wchar_t* text, bool pressed, COLORREF background) {
    const int width = win::Px(kImageButtonWidth), height = win::Px(kImageButtonHeight);
    const Pixels pixels = Render(width, height, background, [&](HDC dc, double supersample) {
        const double s = supersample * win::ScreenDpi() / core::kDesignDpi;
        const int w = At(width, supersample), h = At(height, supersample), radius = At(14, s);
        win::ScopedRegion shape(CreateRoundRectRgn(At(1, s), At(1, s), w - At(1, s), h - At(1, s), radius, radius));
        SelectClipRgn(dc, shape.get());
        const int top = pressed ? 150 : 250, bottom = pressed ? 110 : 205;
        for (int y = 0; y < h; ++y) {
            const int c = top + (bottom - top) * y / h;
            const COLORREF color = pressed ? RGB(c, c, c + 4) : RGB(c, c - 18, c - 60);
            win::ScopedBrush brush(CreateSolidBrush(color));
            RECT row = {0, y, w, y + 1};
            FillRect(dc, &row, brush.get());
        }
        SelectClipRgn(dc, nullptr);
        shape.reset();
        const COLORREF light = pressed ? RGB(90, 90, 95) : RGB(255, 252, 235);
        const COLORREF dark = pressed ? RGB(200, 200, 205) : RGB(150, 120, 70);
        win::ScopedSelect noFill(dc, GetStockObject(NULL_BRUSH));
        {
            win::ScopedPen pen(CreatePen(PS_SOLID, At(1.5, s), dark));
            win::ScopedSelect p(dc, pen.get());
            RoundRect(dc, At(1.7, s), At(2.2, s), w - At(1, s), h - At(1, s), radius, radius);
        }
        {
            win::ScopedPen pen(CreatePen(PS_SOLID, At(1.5, s), light));
            win::ScopedSelect p(dc, pen.get());
            RoundRect(dc, At(1, s), At(1, s), w - At(1.7, s), h - At(2.2, s), radius, radius);
        }
        {
            win::ScopedPen pen(CreatePen(PS_SOLID, At(1, s), pressed ? RGB(70, 70, 75) : RGB(120, 95, 55)));
            win::ScopedSelect p(dc, pen.get());
            RoundRect(dc, At(0.5, s), At(0.5, s), w - At(0.5, s), h - At(0.5, s), radius + At(1, s), radius + At(1, s));
        }
        win::ScopedFont font(CreateFontW(-At(15, s), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                         L"Arial"));
        win::ScopedSelect f(dc, font.get());
        const int shift = pressed ? At(1, s) : 0;
        RECT box = {shift, shift, w + shift, h + shift};
        if (!pressed) {
            RECT glow = {box.left, box.top + At(1, s), box.right, box.bottom + At(1, s)};
            SetTextColor(dc, RGB(255, 250, 225));
            DrawTextW(dc, text, -1, &glow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        SetTextColor(dc, pressed ? RGB(250, 250, 250) : RGB(70, 45, 15));
        DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    });
    return ToBitmap(pixels);
}

HICON MakeIcon(Icon icon, int size) {
    return RenderIcon(size, [&](HDC dc, double s) { PaintIcon(icon, dc, s * size / 16.0); });
}

} // namespace ui::pictures
