INSERT INTO `ps_manufacturer_lang` (`id_manufacturer`,`id_lang`) VALUES (1,1),(2,1),(3,1);
INSERT INTO `ps_manufacturer_lang` (`id_manufacturer`,`id_lang`) VALUES (4,1),(5,1),(6,1);
