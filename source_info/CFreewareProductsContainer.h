#pragma once
#include <functional>
#include <map>

#include "framework/CStringT.h"
#include "source_info/TagProductID.h"

// The registry key names of the family's products, by identifier: "Freeware - "
// and the product's word, the last component of Software\Velstrom\<key name>.
class CFreewareProductsContainer : public std::map<TagProductID, CStringA, std::less<TagProductID>> {
public:
    // Builds the rows of all twenty products.
    CFreewareProductsContainer();
    virtual ~CFreewareProductsContainer();

    // The key name of the product this setup installs, or the empty string
    // when the table has no row for it. Never adds a row.
    CStringA GetProductKeyName() const;
};
