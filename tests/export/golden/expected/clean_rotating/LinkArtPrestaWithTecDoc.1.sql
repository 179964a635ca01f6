CREATE TABLE IF NOT EXISTS `ps_LinkArtPrestaWithTecDoc` (`id_product` int(10) NOT NULL, `art_id` int(10) NOT NULL, PRIMARY KEY (`id_product`), KEY `art_id` (`art_id`));
INSERT INTO `ps_LinkArtPrestaWithTecDoc` (`id_product`,`art_id`) VALUES (1,9),(2,10),(3,101);
INSERT INTO `ps_LinkArtPrestaWithTecDoc` (`id_product`,`art_id`) VALUES (4,102);
