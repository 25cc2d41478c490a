#pragma once

#include <string>
#include <string_view>

// The classic example: region "Прочее", weighting by height, one block of four points.
namespace passcat::testing {

inline constexpr std::string_view kWorkedExampleInput =
    "Пример 1\r\n"
    "3100\t0\t1.2\r\n"
    "3400\t3\t1.5\r\n"
    "3600\t4.5\t2\r\n"
    "3900\t6\t1\r\n"
    "@@@\r\n";

inline constexpr std::string_view kReportHeaderUtf8 =
    "Километраж\t\tD Километраж\tНВ\tD НВ\t\tD Крутизна\tКрутизна\tБалл крутизна\tБалл покр\tБалл НВ\t\tРез балл\tКТ";

// The section with UTF-8 labels and the given decimal separator.
inline std::string WorkedExampleReportUtf8(char separator = '.')
{
    std::string text = std::string("Пример 1\r\n") + std::string(kReportHeaderUtf8) + "\r\n"
        + "0\t\t\t3\t\t800\t300\t\t10.000\t\t13.333\t\t1.700\t\t1.575\t\t1.200\t\t5.655\t\t4\r\n"
          "3\t\t\t1.5\t\t500\t200\t\t13.333\t\t16.667\t\t2.000\t\t1.800\t\t1.100\t\t6.970\t\t5\r\n"
          "4.5\t\t\t1.5\t\t300\t300\t\t20.000\t\t20.000\t\t2.000\t\t2.000\t\t1.033\t\t7.275\t\t5\r\n"
          "Рекомендуемые значения\r\n"
          "Балл: 7.274667\r\n"
          "Категория сложности: 5\r\n"
          "Формула: Кв*Ккр*Кнв*Кпк=1.76*2*1.033333*2\r\n"
          "\r\n"
          "\r\n";
    if (separator != '.') {
        for (char& c : text) {
            if (c == '.')
                c = separator;
        }
    }
    return text;
}

} // namespace passcat::testing
