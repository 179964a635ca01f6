#pragma once

#include "bench/catalogue_generator/generation_context.h"

namespace quarvel::bench {

// The steps of one generation, in the order they must run: later steps use the ids of earlier ones.

// Languages, countries, picture parameters and document types, criteria and key values, text
// modules, the search tree and the generic articles linked to it.
void WriteReferenceData(GenerationContext& context);
// Manufacturers, models, types, engines and type-engine links.
void WriteVehicles(GenerationContext& context);
// Suppliers, brands (suppliers and vehicle makers), supplier logos and supplier pictures.
void WriteSuppliers(GenerationContext& context);
// Articles with their lookup numbers, criteria, prices, info texts, pictures and applicability.
void WriteArticles(GenerationContext& context);

}  // namespace quarvel::bench
