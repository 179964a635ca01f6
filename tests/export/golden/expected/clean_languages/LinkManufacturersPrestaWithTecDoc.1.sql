CREATE TABLE IF NOT EXISTS `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer` int(10) NOT NULL, `bra_id` int(10) NOT NULL, PRIMARY KEY (`id_manufacturer`), KEY `sup_id` (`bra_id`));
INSERT INTO `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer`,`bra_id`) VALUES (1,9);
INSERT INTO `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer`,`bra_id`) VALUES (2,10);
INSERT INTO `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer`,`bra_id`) VALUES (3,11);
INSERT INTO `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer`,`bra_id`) VALUES (4,12);
INSERT INTO `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer`,`bra_id`) VALUES (5,13);
INSERT INTO `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer`,`bra_id`) VALUES (6,100);
