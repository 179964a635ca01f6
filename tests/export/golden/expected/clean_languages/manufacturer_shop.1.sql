INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (1,1);
INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (2,1);
INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (3,1);
INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (4,1);
INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (5,1);
INSERT INTO `ps_manufacturer_shop` (`id_manufacturer`,`id_shop`) VALUES (6,1);
