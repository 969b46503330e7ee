#include "figure_value.h"

#include "number_text.h"

namespace veltra {

std::string FigureValue::Text() const {
    switch (kind_) {
        case Kind::Count:
            return std::to_string(number_);
        case Kind::Duration:
            return SekundyNaCzas(number_);
        case Kind::Percent:
            return std::to_string(number_) + '%';
        case Kind::Nothing:
            break;
    }
    return {};
}

FigureValue InitialFigure(Field field) {
    return field == Field::IncompleteLines || field == Field::MissingNationality
               ? FigureValue::Count(0)
               : FigureValue();
}

}  // namespace veltra
