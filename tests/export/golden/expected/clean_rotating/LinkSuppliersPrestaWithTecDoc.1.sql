CREATE TABLE IF NOT EXISTS `ps_LinkSuppliersPrestaWithTecDoc` (`id_supplier` int(10) NOT NULL, `sup_id` int(10) NOT NULL, PRIMARY KEY (`id_supplier`), KEY `sup_id` (`sup_id`));
INSERT INTO `ps_LinkSuppliersPrestaWithTecDoc` (`id_supplier`,`sup_id`) VALUES (1,9),(2,10),(3,11);
INSERT INTO `ps_LinkSuppliersPrestaWithTecDoc` (`id_supplier`,`sup_id`) VALUES (4,12),(6,100);
