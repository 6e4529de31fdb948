0 (GMT-12:00) International Date Line West
0 (GMT-11:00) Midway Island, Samoa
0 (GMT-10:00) Hawaii
1 (GMT-09:00) Alaska
1 (GMT-08:00) Pacific Time (US & Canada); Tijuana
0 (GMT-07:00) Arizona
0 (GMT-07:00) Chihuahua, La Paz, Mazatlan
1 (GMT-07:00) Mountain Time (US & Canada)
0 (GMT-06:00) Central America
1 (GMT-06:00) Central Time (US & Canada)
0 (GMT-06:00) Guadalajara, Mexico City, Monterrey
0 (GMT-06:00) Saskatchewan
0 (GMT-05:00) Bogota, Lima, Quito
1 (GMT-05:00) Eastern Time (US & Canada)
1 (GMT-05:00) Indiana (East)
1 (GMT-04:00) Atlantic Time (Canada)
0 (GMT-04:00) Caracas, La Paz
1 (GMT-04:00) Santiago
1 (GMT-03:30) Newfoundland
0 (GMT-03:00) Brasilia
0 (GMT-03:00) Buenos Aires, Georgetown
1 (GMT-03:00) Greenland
0 (GMT-02:00) Mid-Atlantic
1 (GMT-01:00) Azores
0 (GMT-01:00) Cape Verde Is.
0 (GMT) Casablanca, Monrovia
1 (GMT) Greenwich Mean Time : Dublin, Edinburgh, Lisbon, London
1 (GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna
1 (GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague
1 (GMT+01:00) Brussels, Copenhagen, Madrid, Paris
1 (GMT+01:00) Sarajevo, Skopje, Warsaw, Zagreb
0 (GMT+01:00) West Central Africa
1 (GMT+02:00) Athens, Istanbul, Minsk
1 (GMT+02:00) Bucharest
1 (GMT+02:00) Cairo
0 (GMT+02:00) Harare, Pretoria
1 (GMT+02:00) Helsinki, Kyiv, Riga, Sofia, Tallinn, Vilnius
1 (GMT+02:00) Jerusalem
0 (GMT+03:00) Baghdad
0 (GMT+03:00) Kuwait, Riyadh
0 (GMT+03:00) Moscow, St. Petersburg, Volgograd
0 (GMT+03:00) Nairobi
0 (GMT+03:30) Tehran
0 (GMT+04:00) Abu Dhabi, Muscat
0 (GMT+04:00) Baku, Tbilisi, Yerevan
0 (GMT+04:30) Kabul
0 (GMT+05:00) Ekaterinburg
0 (GMT+05:00) Islamabad, Karachi, Tashkent
0 (GMT+05:30) Chennai, Kolkata, Mumbai, New Delhi
0 (GMT+05:45) Kathmandu
0 (GMT+06:00) Almaty, Novosibirsk
0 (GMT+06:00) Astana, Dhaka
0 (GMT+06:00) Sri Jayawardenepura
0 (GMT+06:30) Rangoon
0 (GMT+07:00) Bangkok, Hanoi, Jakarta
0 (GMT+07:00) Krasnoyarsk
0 (GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi
0 (GMT+08:00) Irkutsk, Ulaan Bataar
0 (GMT+08:00) Kuala Lumpur, Singapore
0 (GMT+08:00) Perth
0 (GMT+08:00) Taipei
0 (GMT+09:00) Osaka, Sapporo, Tokyo
0 (GMT+09:00) Seoul
0 (GMT+09:00) Yakutsk
1 (GMT+09:30) Adelaide
0 (GMT+09:30) Darwin
0 (GMT+10:00) Brisbane
1 (GMT+10:00) Canberra, Melbourne, Sydney
0 (GMT+10:00) Guam, Port Moresby
1 (GMT+10:00) Hobart
0 (GMT+10:00) Vladivostok
0 (GMT+11:00) Magadan, Solomon Is., New Caledonia
1 (GMT+12:00) Auckland, Wellington
0 (GMT+12:00) Fiji, Kamchatka, Marshall Is.
0 (GMT+13:00) Nuku'alofa
