#include "game/HolderNameValidator.h"

#include "records/HolderName.h"

QValidator::State HolderNameValidator::validate(QString& input, int&) const {
    return isHolderName(input) ? Acceptable : Invalid;
}
