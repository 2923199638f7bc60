#include "cli/image_facts.h"

#include "image/capcode.h"
#include "image/rf_word.h"
#include "image/text_field.h"

namespace q9tx::cli {

ImageFacts FactsOf(const ConfigImage& image)
{
    ImageFacts facts;
    if (OriginWord(image) != 0)
        facts.serialNumber = ReadTextField(image, kSerialNumberRegion.offset, kSerialNumberRegion.size);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const StoredAddress address = AddressWordToCapcode(ReadLe32(image, AddressWordOffset(slot)));
        if (address.enabled)
            facts.capcodes.push_back(address.capcode);
    }
    RfWord rfWord = RfWordOf(image);
    facts.frequency = RfWordToShownFrequency(rfWord);
    return facts;
}

}  // namespace q9tx::cli
