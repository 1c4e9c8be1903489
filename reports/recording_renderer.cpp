#include "reports/recording_renderer.h"

#include <algorithm>
#include <map>
#include <utility>

namespace quorven {
namespace {

int CharWidth(const FontSpec& font) {
    return font.bold ? font.pixel_height * 11 / 20 : font.pixel_height / 2;
}

int LineHeight(const FontSpec& font) {
    return font.pixel_height * 6 / 5;
}

// Greedy word wrap at spaces; a word longer than the width stands on its own line.
std::vector<std::string> WrapLines(std::string_view text, int width_chars) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t i = 0;
    while (i <= text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string_view word = text.substr(i, end - i);
        if (line.empty()) {
            line = word;
        } else if (static_cast<int>(line.size() + 1 + word.size()) <= width_chars) {
            line += ' ';
            line += word;
        } else {
            lines.push_back(line);
            line = word;
        }
        i = end + 1;
    }
    lines.push_back(line);
    return lines;
}

}  // namespace

DeviceRect RecordingRenderer::MeasureText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                                          unsigned flags) {
    const int cw = std::max(CharWidth(font), 1);
    std::vector<std::string> lines;
    if (flags & TextFlag::kSingleLine) {
        lines.emplace_back(text);
    } else {
        lines = WrapLines(text, std::max((rect.right - rect.left) / cw, 1));
    }
    std::size_t widest = 0;
    for (const std::string& l : lines) widest = std::max(widest, l.size());
    DeviceRect out = rect;
    out.right = rect.left + static_cast<int>(widest) * cw;
    out.bottom = rect.top + static_cast<int>(lines.size()) * LineHeight(font);
    return out;
}

void RecordingRenderer::DrawText(std::string_view text, const FontSpec& font, const DeviceRect& rect,
                                 unsigned flags, uint32_t color) {
    RecordedOp op;
    op.kind = RecordedOp::Kind::Text;
    op.rect = rect;
    op.text = text;
    op.font = font;
    op.flags = flags;
    op.color = color;
    ops.push_back(std::move(op));
}

int RecordingRenderer::MaxCharWidth(const FontSpec& font) {
    return font.pixel_height;
}

void RecordingRenderer::DrawLine(int x1, int y1, int x2, int y2, int pen_width, PenDash dash) {
    RecordedOp op;
    op.kind = RecordedOp::Kind::Line;
    op.rect = {x1, y1, x2, y2};
    op.pen_width = pen_width;
    op.dash = dash;
    ops.push_back(std::move(op));
}

void RecordingRenderer::DrawBox(const DeviceRect& rect, int pen_width, PenDash dash, Brush fill) {
    RecordedOp op;
    op.kind = RecordedOp::Kind::Box;
    op.rect = rect;
    op.pen_width = pen_width;
    op.dash = dash;
    op.fill = fill;
    ops.push_back(std::move(op));
}

bool RecordingRenderer::ImageSize(const std::string& path, int& width, int& height) {
    for (const FakeImage& im : images) {
        if (im.path != path) continue;
        width = im.width;
        height = im.height;
        return true;
    }
    return false;
}

bool RecordingRenderer::DrawImage(const std::string& path, const DeviceRect& target) {
    int w = 0;
    int h = 0;
    if (!ImageSize(path, w, h)) return false;
    RecordedOp op;
    op.kind = RecordedOp::Kind::Image;
    op.rect = target;
    op.text = path;
    ops.push_back(std::move(op));
    return true;
}

std::vector<RecordedOp> RecordingRenderer::Texts() const {
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : ops)
        if (op.kind == RecordedOp::Kind::Text) out.push_back(op);
    return out;
}

std::optional<RecordedOp> RecordingRenderer::FindText(std::string_view text) const {
    for (const RecordedOp& op : ops)
        if (op.kind == RecordedOp::Kind::Text && op.text == text) return op;
    return std::nullopt;
}

std::vector<std::string> RecordingRenderer::TextLines() const {
    std::map<int, std::vector<std::pair<int, std::string>>> rows;
    for (const RecordedOp& op : ops)
        if (op.kind == RecordedOp::Kind::Text) rows[op.rect.top].emplace_back(op.rect.left, op.text);
    std::vector<std::string> lines;
    for (auto& [top, cells] : rows) {
        std::stable_sort(cells.begin(), cells.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string line;
        for (const auto& [left, text] : cells) {
            if (!line.empty()) line += " | ";
            line += text;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace quorven
