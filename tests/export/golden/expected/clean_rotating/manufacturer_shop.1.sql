INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (1,1),(2,1),(3,1);
INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (4,1),(5,1),(6,1);
