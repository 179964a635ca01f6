#include "bench/catalogue_generator/text_pools.h"

namespace quarvel::bench {
namespace {

constexpr Translation kTreeRoots[] = {
    {"Brake System", "Bremsanlage", "Тормозная система"},
    {"Engine", "Motor", "Двигатель"},
    {"Suspension/Damping", "Federung/Dämpfung", "Подвеска/амортизация"},
    {"Filters", "Filter", "Фильтры"},
    {"Electrics", "Elektrik", "Электрика"},
    {"Steering", "Lenkung", "Рулевое управление"},
    {"Exhaust System", "Abgasanlage", "Система выпуска"},
    {"Body", "Karosserie", ""},
};

constexpr Translation kTreeNodes[] = {
    {"Disc Brake", "Scheibenbremse", "Дисковый тормоз"},
    {"Drum Brake", "Trommelbremse", "Барабанный тормоз"},
    {"Belt Drive", "Riementrieb", "Ременный привод"},
    {"Cooling", "Kühlung", "Охлаждение"},
    {"Shock Absorber", "Stoßdämpfer", "Амортизатор"},
    {"Springs", "Federn", "Пружины"},
    {"Air Supply", "Luftversorgung", "Подача воздуха"},
    {"Ignition \"Spark\" System", "Zündanlage", "Система зажигания \"искра\""},
    {"Lighting", "Beleuchtung", "Освещение"},
    {"Tie Rod / Joint", "Spurstange/Gelenk", "Рулевая тяга / шарнир"},
    {"Silencer", "Schalldämpfer", "Глушитель"},
    {"Wiper\\Washer", "Wischer\\Waschanlage", "Стеклоочиститель\\омыватель"},
};

constexpr Translation kGenericArticles[] = {
    {"Brake Pad Set", "Bremsbelagsatz", "Комплект тормозных колодок"},
    {"Brake Disc", "Bremsscheibe", "Тормозной диск"},
    {"Brake Caliper", "Bremssattel", "Тормозной суппорт"},
    {"Brake Shoe Set", "Bremsbackensatz", "Комплект тормозных башмаков"},
    {"Timing Belt", "Zahnriemen", "Ремень ГРМ"},
    {"Water Pump", "Wasserpumpe", "Водяной насос"},
    {"Radiator", "Kühler", "Радиатор"},
    {"Shock Absorber", "Stoßdämpfer", "Амортизатор"},
    {"Coil Spring", "Fahrwerksfeder", "Пружина ходовой части"},
    {"Air Filter", "Luftfilter", "Воздушный фильтр"},
    {"Oil Filter", "Ölfilter", "Масляный фильтр"},
    {"Fuel Filter", "Kraftstofffilter", "Топливный фильтр"},
    {"Spark Plug", "Zündkerze", "Свеча зажигания"},
    {"Ignition Coil", "Zündspule", "Катушка зажигания"},
    {"Bulb, headlight", "Glühlampe, Hauptscheinwerfer", "Лампа накаливания, основная фара"},
    {"Tie Rod End", "Spurstangenkopf", "Наконечник поперечной рулевой тяги"},
    {"Ball Joint", "Trag-/Führungsgelenk", "Шаровая опора"},
    {"Front Silencer", "Vorschalldämpfer", "Передний глушитель"},
    {"Wiper Blade", "Wischblatt", "Щетка стеклоочистителя"},
    {"Driver's Cab Suspension", "Lagerung, Fahrerhaus", "Подвеска кабины водителя"},
};

constexpr Translation kQualifiers[] = {
    {"", "", ""},
    {"front axle", "Vorderachse", "передняя ось"},
    {"rear axle", "Hinterachse", "задняя ось"},
    {"left", "links", "слева"},
    {"right", "rechts", "справа"},
    {"for \"Sport\" chassis", "für \"Sport\"-Fahrwerk", "для шасси \"Sport\""},
    {"1/2\" thread \\ metric", "1/2\" Gewinde \\ metrisch", "резьба 1/2\" \\ метрическая"},
};

constexpr Translation kCriteria[] = {
    {"Diameter [mm]", "Durchmesser [mm]", "Диаметр [мм]"},
    {"Thickness [mm]", "Dicke/Stärke [mm]", "Толщина [мм]"},
    {"Width [mm]", "Breite [mm]", "Ширина [мм]"},
    {"Length [mm]", "Länge [mm]", "Длина [мм]"},
    {"Fitting Position", "Einbauseite", "Сторона установки"},
    {"Wear Warning Contact", "Verschleißwarnkontakt", "Контакт сигнализатора износа"},
    {"Voltage [V]", "Spannung [V]", "Напряжение [В]"},
    {"Number of Teeth", "Zähnezahl", "Число зубцов"},
    {"Brake System", "Bremssystem", "Тормозная система"},
    {"Supplementary Article/Info", "Ergänzungsartikel/Info", "Дополнительный артикул/Доп. информация"},
    {"Thread Size", "Gewindemaß", "Размер резьбы"},
    {"Oil \"Grade\"", "Öl-\"Klasse\"", "Класс \"масла\""},
};

constexpr Translation kCriterionKeyValues[] = {
    {"Front Axle", "Vorderachse", "передний мост"},
    {"Rear Axle", "Hinterachse", "задний мост"},
    {"incl. wear warning contact", "inkl. Verschleißwarnkontakt", "с контактом датчика износа"},
    {"excl. wear warning contact", "exkl. Verschleißwarnkontakt", "без контакта датчика износа"},
    {"Lucas", "Lucas", "Lucas"},
    {"Bosch", "Bosch", "Bosch"},
    {"Ate's \\ Teves", "Ate's \\ Teves", "Ate's \\ Teves"},
};

constexpr Translation kBodyStyles[] = {
    {"Saloon", "Stufenheck", "седан"},         {"Hatchback", "Schrägheck", "хэтчбек"},
    {"Estate", "Kombi", "универсал"},          {"Coupe", "Coupe", "купе"},
    {"Convertible", "Cabriolet", "кабриолет"}, {"Off-Road Vehicle", "Geländewagen", "вездеход закрытый"},
};

constexpr Translation kFuelKinds[] = {
    {"Petrol", "Otto", "бензин"},
    {"Diesel", "Diesel", "дизель"},
    {"Petrol/Liquified Petroleum Gas (LPG)", "Otto/Flüssiggas (LPG)", "бензин/автомобильный газ (LPG)"},
    {"Electric", "Elektro", "электричество"},
};

constexpr Translation kDriveKinds[] = {
    {"Front-Wheel Drive", "Frontantrieb", "привод на передние колеса"},
    {"Rear-Wheel Drive", "Heckantrieb", "привод на задние колеса"},
    {"All-Wheel Drive", "Allradantrieb", "полный привод"},
};

constexpr Translation kArticleRemarks[] = {
    {"with accessories", "mit Zubehör", "с принадлежностями"},
    {"Original quality", "Erstausrüsterqualität", "качество оригинала"},
    {"with bolts/screws", "mit Schrauben", "с болтами/винтами"},
    {"high-performance 'Pro'", "Hochleistungs-'Pro'", "высокоэффективный 'Pro'"},
};

constexpr Translation kInfoTexts[] = {
    {"Observe the manufacturer's mounting instructions.", "Einbauhinweise des Herstellers beachten.",
     "Соблюдайте инструкции производителя по монтажу."},
    {"Replace on both sides of an axle.", "Achsweise erneuern.", "Заменять попарно на оси."},
    {"Only for vehicles with \"Comfort\" package.", "Nur für Fahrzeuge mit \"Komfort\"-Paket.",
     "Только для автомобилей с пакетом \"Комфорт\"."},
    {"Path: C:\\Docs\\manual.pdf", "Pfad: C:\\Docs\\Handbuch.pdf", "Путь: C:\\Docs\\руководство.pdf"},
};

constexpr std::string_view kCarMakers[] = {
    "ALFA ROMEO", "AUDI",    "BMW",     "CITROËN", "DACIA", "FIAT",          "FORD",
    "HONDA",      "HYUNDAI", "KIA",     "LADA",    "MAZDA", "MERCEDES-BENZ", "NISSAN",
    "OPEL",       "PEUGEOT", "RENAULT", "SEAT",    "ŠKODA", "TOYOTA",        "VW",
    "VOLVO",      "ВАЗ",     "ГАЗ",     "УАЗ",     "ZAZ",   "O'NEIL MOTORS"};

constexpr std::string_view kModelFamilies[] = {
    "GOLF",  "PASSAT", "POLO", "A4 (8E2, B6)", "3 (E46)", "C-CLASS (W203)", "FOCUS",        "MONDEO \"III\"",
    "ASTRA", "CORSA",  "CLIO", "MEGANE",       "OCTAVIA", "COROLLA",        "2107",         "НИВА",
    "ВОЛГА", "LOGAN",  "i30",  "CEED",         "CIVIC",   "XC90",           "ЛАДА \\ 2110", "DUCATO"};

constexpr std::string_view kPartMakers[] = {"BOSCH",
                                            "ATE",
                                            "TRW",
                                            "FEBI BILSTEIN",
                                            "MANN-FILTER",
                                            "SACHS",
                                            "MONROE",
                                            "GATES",
                                            "CONTINENTAL CTAM",
                                            "LEMFÖRDER",
                                            "BREMBO",
                                            "NGK",
                                            "VALEO",
                                            "DELPHI",
                                            "MAHLE ORIGINAL",
                                            "TEXTAR",
                                            "ZIMMERMANN",
                                            "KYB",
                                            "LUK",
                                            "INA",
                                            "SKF",
                                            "DAYCO",
                                            "MEYLE",
                                            "SWAG",
                                            "HELLA",
                                            "OSRAM",
                                            "PHILIPS",
                                            "ФЕНОКС",
                                            "ТРИАЛЛИ",
                                            "O'DONNELL PARTS",
                                            "BACK\\SLASH AUTO",
                                            "\"QUOTED\" PARTS"};

}  // namespace

std::span<const Translation> TreeRootNames() { return kTreeRoots; }
std::span<const Translation> TreeNodeNames() { return kTreeNodes; }
std::span<const Translation> GenericArticleNames() { return kGenericArticles; }
std::span<const Translation> PositionQualifiers() { return kQualifiers; }
std::span<const Translation> CriterionNames() { return kCriteria; }
std::span<const Translation> CriterionKeyValues() { return kCriterionKeyValues; }
std::span<const Translation> BodyStyles() { return kBodyStyles; }
std::span<const Translation> FuelKinds() { return kFuelKinds; }
std::span<const Translation> DriveKinds() { return kDriveKinds; }
std::span<const Translation> ArticleRemarks() { return kArticleRemarks; }
std::span<const Translation> InfoTexts() { return kInfoTexts; }
std::span<const std::string_view> CarMakerNames() { return kCarMakers; }
std::span<const std::string_view> ModelFamilyNames() { return kModelFamilies; }
std::span<const std::string_view> PartMakerNames() { return kPartMakers; }

}  // namespace quarvel::bench
