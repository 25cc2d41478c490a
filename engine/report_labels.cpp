#include "engine/report_labels.h"

namespace passcat {

ReportLabels ReportLabels::Utf8()
{
    // The TABs put every label above its column at tab stops of 8.
    return {
        .header = "Километраж\t\tD Километраж\tНВ\tD НВ\t\tD Крутизна\tКрутизна\tБалл крутизна\t"
                  "Балл покр\tБалл НВ\t\tРез балл\tКТ",
        .recommended = "Рекомендуемые значения",
        .scorePrefix = "Балл: ",
        .categoryPrefix = "Категория сложности: ",
        .formulaPrefix = "Формула: Кв*Ккр*Кнв*Кпк=",
    };
}

} // namespace passcat
