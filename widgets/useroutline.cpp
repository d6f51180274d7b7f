// The text format of a user outline (see parseUserOutline), read into a shape.

#include "widgets/regiongeometry.h"

#include <string>

namespace calidor {
namespace RegionGeometry {

namespace {

class OutlineParser {
public:
    explicit OutlineParser(std::string text) : m_text(std::move(text)) {}

    bool parse(Shape& shape) {
        int totalPoints = 0;
        for (;;) {
            skipSpaces();
            if (atEnd())
                break;
            if (peek() == ';') {
                ++m_pos;
                continue;
            }
            int level = 0;
            Tpoints points;
            int first = 0;
            if (!number(first))
                return false;
            skipSpaces();
            if (peek() == ':') {
                ++m_pos;
                if (first < 0 || first > 100)
                    return false;
                level = first;
                if (!point(points))
                    return false;
            } else if (!pointAfterX(first, points)) {
                return false;
            }
            for (;;) {
                skipSpaces();
                if (atEnd() || peek() == ';')
                    break;
                if (!point(points))
                    return false;
            }
            totalPoints += static_cast<int>(points.size());
            if (points.size() < 3 || totalPoints > 100000)
                return false;
            addPolygon(shape, points, level);
        }
        return shape.polygonCount() > 0;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void skipSpaces() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_pos;
    }
    bool number(int& value) {
        skipSpaces();
        bool negative = false;
        if (peek() == '-' || peek() == '+') {
            negative = peek() == '-';
            ++m_pos;
        }
        long long v = 0;
        int digits = 0;
        while (!atEnd() && peek() >= '0' && peek() <= '9') {
            v = v * 10 + (peek() - '0');
            ++m_pos;
            if (++digits > 7)
                return false;
        }
        if (digits == 0 || v > 100000)
            return false;
        value = static_cast<int>(negative ? -v : v);
        return true;
    }
    bool pointAfterX(int x, Tpoints& points) {
        skipSpaces();
        if (peek() != ',')
            return false;
        ++m_pos;
        int y = 0;
        if (!number(y))
            return false;
        points.emplace_back(x, y);
        return true;
    }
    bool point(Tpoints& points) {
        int x = 0;
        return number(x) && pointAfterX(x, points);
    }

    std::string m_text;
    size_t m_pos = 0;
};

} // namespace

bool parseUserOutline(const QString& text, Shape& shape) {
    shape = Shape{};
    Shape parsed;
    if (!OutlineParser(text.toStdString()).parse(parsed))
        return false;
    shape = std::move(parsed);
    return true;
}

} // namespace RegionGeometry
} // namespace calidor
