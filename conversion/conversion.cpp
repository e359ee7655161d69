#include "conversion/conversion.hpp"

const ConversionEntry* findConversion(std::int32_t choice) {
    if (choice < 1 || choice > static_cast<std::int32_t>(conversionTable.size())) {
        return nullptr;
    }
    return &conversionTable[static_cast<std::size_t>(choice - 1)];
}

Amount convertAmount(const ConversionEntry& entry, Amount amount) {
    return static_cast<Amount>(static_cast<long double>(amount) * entry.factor);
}
