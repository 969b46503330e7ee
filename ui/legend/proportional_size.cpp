#include "proportional_size.h"

namespace veltra {

QSize ProportionalSize(QSize picture, QSize control) {
    if (picture.isEmpty() ||
        (picture.width() <= control.width() && picture.height() <= control.height())) {
        return picture;
    }
    // The ratio is kept in extended precision and each result truncated, so
    // the sizes match the picture control the layout was designed with.
    const long double ratio = static_cast<long double>(picture.width()) / picture.height();
    const auto heightForWidth = [&](int width) { return static_cast<int>(width / ratio); };
    const auto widthForHeight = [&](int height) { return static_cast<int>(height * ratio); };
    if (picture.width() > picture.height()) {
        const int height = heightForWidth(control.width());
        if (height > control.height()) {
            return {widthForHeight(control.height()), control.height()};
        }
        return {control.width(), height};
    }
    const int width = widthForHeight(control.height());
    if (width > control.width()) {
        return {control.width(), heightForWidth(control.width())};
    }
    return {width, control.height()};
}

}  // namespace veltra
