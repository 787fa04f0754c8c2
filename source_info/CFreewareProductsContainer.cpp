#include "source_info/CFreewareProductsContainer.h"

namespace {

// The product this setup installs.
const TagProductID kInstalledProduct = kProductTessaly;

struct ProductRow {
    TagProductID id;
    const char* keyName;
};

const ProductRow kProductRows[] = {
    {kProductAmbrevel, "Freeware - Ambrevel"},       {kProductBrindomar, "Freeware - Brindomar"},
    {kProductCorvessa, "Freeware - Corvessa"},       {kProductDunmarrow, "Freeware - Dunmarrow"},
    {kProductElmsgrove, "Freeware - Elmsgrove"},     {kProductFallowmere, "Freeware - Fallowmere"},
    {kProductGorsewick, "Freeware - Gorsewick"},     {kProductHollenbray, "Freeware - Hollenbray"},
    {kProductIvelstan, "Freeware - Ivelstan"},       {kProductJuniperholt, "Freeware - Juniperholt"},
    {kProductKestrelby, "Freeware - Kestrelby"},     {kProductLindqvale, "Freeware - Lindqvale"},
    {kProductMarrowfen, "Freeware - Marrowfen"},     {kProductTessaly, "Freeware - Tessaly"},
    {kProductNettlecombe, "Freeware - Nettlecombe"}, {kProductOrrisdale, "Freeware - Orrisdale"},
    {kProductPellingham, "Freeware - Pellingham"},   {kProductQuennell, "Freeware - Quennell"},
    {kProductRossington, "Freeware - Rossington"},   {kProductSallowby, "Freeware - Sallowby"},
};

}  // namespace

CFreewareProductsContainer::CFreewareProductsContainer() {
    for (const ProductRow& row : kProductRows) (*this)[row.id] = row.keyName;
}

CFreewareProductsContainer::~CFreewareProductsContainer() = default;

CStringA CFreewareProductsContainer::GetProductKeyName() const {
    const const_iterator found = find(kInstalledProduct);
    return found == end() ? CStringA() : found->second;
}
