#pragma once
#include <cstdint>

// Identifiers of the products of the Velstrom freeware family.
enum TagProductID : std::int32_t {
    kProductAmbrevel = 0x10001,
    kProductBrindomar = 0x10002,
    kProductCorvessa = 0x10003,
    kProductDunmarrow = 0x10004,
    kProductElmsgrove = 0x10005,
    kProductFallowmere = 0x10006,
    kProductGorsewick = 0x10007,
    kProductHollenbray = 0x10008,
    kProductIvelstan = 0x10009,
    kProductJuniperholt = 0x1000A,
    kProductKestrelby = 0x1000B,
    kProductLindqvale = 0x1000C,
    kProductMarrowfen = 0x1000D,
    kProductTessaly = 0x1000E,
    kProductNettlecombe = 0x1000F,
    kProductOrrisdale = 0x10010,
    kProductPellingham = 0x10011,
    kProductQuennell = 0x10012,
    kProductRossington = 0x10013,
    kProductSallowby = 0x10014,
};
