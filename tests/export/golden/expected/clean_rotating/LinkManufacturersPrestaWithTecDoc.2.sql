CREATE TABLE IF NOT EXISTS `ps_LinkManufacturersPrestaWithTecDoc` (`id_manufacturer` int(10) NOT NULL, `bra_id` int(10) NOT NULL, PRIMARY KEY (`id_manufacturer`), KEY `sup_id` (`bra_id`));
